// Platform layer of the web build: files are byte arrays in memory, put
// there by the page (platform_memory.h). Reading works as from a disk;
// creating, writing, replacing and removing files are refused as on a
// read-only file system. Error codes and texts are errno's.
#include "platform_memory.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <vector>

#include "platform.h"

namespace platform {

const uint32_t kErrorNotEnoughMemory = ENOMEM;
const uint32_t kErrorAccessDenied = EACCES;
const uint32_t kErrorFileExists = EEXIST;

namespace {

// A file's bytes, from malloc, so that a file too large for the memory
// left is refused with ENOMEM rather than ending the program.
struct Bytes {
    uint8_t* data = nullptr;
    size_t size = 0;
};

std::map<std::string, Bytes>& Files() {
    static std::map<std::string, Bytes> files;
    return files;
}

// An open file: its bytes and the read position. The handle is an index.
struct OpenFile {
    const Bytes* bytes = nullptr;
    uint64_t position = 0;
};

std::vector<OpenFile>& OpenFiles() {
    static std::vector<OpenFile> open;
    return open;
}

OpenFile* Lookup(File file) {
    std::vector<OpenFile>& open = OpenFiles();
    if (file.handle < 0 || static_cast<size_t>(file.handle) >= open.size()) return nullptr;
    OpenFile& entry = open[static_cast<size_t>(file.handle)];
    return entry.bytes ? &entry : nullptr;
}

File Refuse(int code) {
    errno = code;
    return File();
}

}  // namespace

bool PutMemoryFile(const std::string& path, const uint8_t* bytes, size_t size) {
    uint8_t* data = static_cast<uint8_t*>(malloc(size ? size : 1));
    if (!data) return errno = ENOMEM, false;
    if (size) memcpy(data, bytes, size);
    DropMemoryFile(path);
    Files()[path] = {data, size};
    return true;
}

bool RenameMemoryFile(const std::string& from, const std::string& to) {
    auto found = Files().find(from);
    if (found == Files().end()) return errno = ENOENT, false;
    if (from == to) return true;
    const Bytes bytes = found->second;
    Files().erase(found);
    DropMemoryFile(to);
    Files()[to] = bytes;
    return true;
}

bool HasMemoryFile(const std::string& path) { return Files().count(path) != 0; }

void DropMemoryFile(const std::string& path) {
    auto found = Files().find(path);
    if (found == Files().end()) return;
    free(found->second.data);
    Files().erase(found);
}

uint32_t LastError() { return static_cast<uint32_t>(errno); }
void SetLastError(uint32_t code) { errno = static_cast<int>(code); }

File OpenForRead(const char* path) {
    auto found = Files().find(path);
    if (found == Files().end()) return Refuse(ENOENT);
    std::vector<OpenFile>& open = OpenFiles();
    size_t slot = 0;
    while (slot < open.size() && open[slot].bytes) ++slot;
    if (slot == open.size()) open.emplace_back();
    open[slot] = {&found->second, 0};
    File file;
    file.handle = static_cast<intptr_t>(slot);
    return file;
}

File CreateNew(const char*) { return Refuse(EROFS); }

File CreateTemporaryBeside(const char*, char* name, size_t nameSize) {
    if (nameSize > 0) name[0] = '\0';
    return Refuse(EROFS);
}

bool Read(File file, void* buffer, uint32_t size, uint32_t* got) {
    *got = 0;
    OpenFile* open = Lookup(file);
    if (!open) return errno = EBADF, false;
    const uint64_t length = open->bytes->size;
    const uint64_t left = open->position < length ? length - open->position : 0;
    *got = static_cast<uint32_t>(left < size ? left : size);
    if (*got) memcpy(buffer, open->bytes->data + open->position, *got);
    open->position += *got;
    return true;
}

bool Write(File, const void*, uint32_t) { return errno = EROFS, false; }

bool Skip(File file, uint32_t distance) {
    OpenFile* open = Lookup(file);
    if (!open) return errno = EBADF, false;
    open->position += distance;
    return true;
}

bool GetSize(File file, uint64_t* size) {
    OpenFile* open = Lookup(file);
    if (!open) return errno = EBADF, false;
    *size = open->bytes->size;
    return true;
}

bool Flush(File) { return errno = EROFS, false; }

void Close(File file) {
    OpenFile* open = Lookup(file);
    if (open) *open = OpenFile();
}

bool Replace(const char*, const char*) { return errno = EROFS, false; }

bool Remove(const char*) { return errno = EROFS, false; }

char* ResolveSaveTarget(const char*) {
    errno = EROFS;
    return nullptr;
}

bool IsReadOnlyFile(const char* path) { return HasMemoryFile(path); }

size_t SystemErrorText(uint32_t code, char* buffer, size_t size) {
    if (size == 0) return 0;
    const char* message = strerror(static_cast<int>(code));
    size_t length = strlen(message);
    if (length > size - 1) length = size - 1;
    memcpy(buffer, message, length);
    buffer[length] = '\0';
    return length;
}

void* AllocZeroed(size_t size) { return calloc(1, size); }

bool Free(void* block) {
    free(block);
    return true;
}

bool IsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform
