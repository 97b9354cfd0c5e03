// Where a command's result goes: standard output, or a named file that is
// written beside its final place and only replaces it once complete, so a
// failed run leaves an existing file as it was.
#ifndef ZEV_TOOL_OUTPUT_H
#define ZEV_TOOL_OUTPUT_H

#include <stdio.h>

#include <string>

namespace zevtool {

class Output {
public:
    Output() = default;
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // An empty path means standard output. False with `error` when the
    // file cannot be written.
    bool Open(const std::string& path, std::string* error);
    void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
    void Write(const char* bytes, size_t size);
    // Completes the output (replacing the named file); false with `error`
    // when any write failed.
    bool Commit(std::string* error);
    // Name for messages: the path, or "standard output".
    std::string name() const { return path_.empty() ? "standard output" : path_; }

private:
    void Discard();
    FILE* file_ = nullptr;
    std::string path_;
    std::string target_;  // the file that the temporary one replaces
    std::string temp_;
    int writeErrno_ = 0;
};

// The file that writing `path` by replacement must replace: `path`, or the
// file a symbolic link names. False (with `error`) for a device, pipe or
// folder, which a replacement would turn into a plain file.
bool ReplaceableFile(const std::string& path, std::string* target, std::string* error);

// Prints "zev: WHERE: REASON" on standard error.
void Complain(const std::string& where, const std::string& reason);

}  // namespace zevtool

#endif
