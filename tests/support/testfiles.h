// Scratch files for tests: each test gets its own folder below the working
// directory, emptied when the test starts.
#ifndef ZEV_TESTS_TESTFILES_H
#define ZEV_TESTS_TESTFILES_H

#include <stdint.h>

#include <string>
#include <vector>

namespace testfiles {

// Path of `leaf` inside the running test's own folder (created on demand).
std::string Path(const std::string& leaf);
// Removes and recreates the running test's folder.
void ResetFolder();

std::vector<uint8_t> Read(const std::string& path);
void Write(const std::string& path, const std::vector<uint8_t>& bytes);
bool Exists(const std::string& path);
void MakeFolder(const std::string& path);
// Names of the files in the running test's folder.
std::vector<std::string> List();
void SetReadOnly(const std::string& path, bool readOnly);

}  // namespace testfiles

#endif
