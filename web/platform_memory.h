// The platform layer of the web build keeps its files in memory: the page
// hands a dictionary's bytes over from JavaScript, and the library reads
// them by name as it would read a file. They cannot be written.
#ifndef ZEV_WEB_PLATFORM_MEMORY_H
#define ZEV_WEB_PLATFORM_MEMORY_H

#include <stddef.h>
#include <stdint.h>

#include <string>

namespace platform {

// Makes `path` name a file holding these bytes (replacing one of that name).
// False when there is no memory for them.
bool PutMemoryFile(const std::string& path, const uint8_t* bytes, size_t size);
// Gives the file at `from` the name `to`, replacing a file of that name.
bool RenameMemoryFile(const std::string& from, const std::string& to);
bool HasMemoryFile(const std::string& path);
void DropMemoryFile(const std::string& path);

}  // namespace platform

#endif
