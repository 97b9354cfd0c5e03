#include "output.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zevtool {

void Complain(const std::string& where, const std::string& reason) {
    fprintf(stderr, "zev: %s: %s\n", where.c_str(), reason.c_str());
}

static std::string Reason(int error) { return std::string("cannot write: ") + strerror(error); }

bool ReplaceableFile(const std::string& path, std::string* target, std::string* error) {
    *target = path;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return true;
    if (S_ISDIR(info.st_mode)) return *error = Reason(EISDIR), false;
    if (!S_ISREG(info.st_mode)) return *error = "cannot write: it is not a regular file", false;
    char* real = realpath(path.c_str(), nullptr);
    if (real) *target = real;
    free(real);
    return true;
}

Output::~Output() { Discard(); }

void Output::Discard() {
    if (file_ && file_ != stdout) fclose(file_);
    file_ = nullptr;
    if (!temp_.empty()) unlink(temp_.c_str());
    temp_.clear();
}

bool Output::Open(const std::string& path, std::string* error) {
    path_ = path;
    if (path.empty()) {
        file_ = stdout;
        return true;
    }
    std::string target = path;
    struct stat info;
    if (stat(path.c_str(), &info) == 0) {
        // As the dictionary library does: a read-only file stays as it is,
        // also for root, and a folder is no output.
        if (S_ISDIR(info.st_mode)) return *error = Reason(EISDIR), false;
        if (!(info.st_mode & S_IWUSR)) return *error = Reason(EACCES), false;
        // A device or pipe is written to as it is: replacing it would put
        // a plain file in its place.
        if (!S_ISREG(info.st_mode)) {
            file_ = fopen(path.c_str(), "wb");
            return file_ ? true : (*error = Reason(errno), false);
        }
        // A symbolic link keeps pointing at the file it names.
        char* real = realpath(path.c_str(), nullptr);
        if (real) target = real;
        free(real);
    }
    target_ = target;
    std::string pattern = target + ".XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    if (fd < 0) return *error = Reason(errno), false;
    temp_ = pattern;
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        *error = Reason(errno);
        close(fd);
        Discard();
        return false;
    }
    return true;
}

void Output::Write(const char* bytes, size_t size) {
    if (writeErrno_ == 0 && size > 0 && fwrite(bytes, 1, size, file_) != size)
        writeErrno_ = errno ? errno : EIO;
}

bool Output::Commit(std::string* error) {
    if (writeErrno_ == 0 && fflush(file_) != 0) writeErrno_ = errno;
    if (file_ != stdout) {
        if (fclose(file_) != 0 && writeErrno_ == 0) writeErrno_ = errno;
        file_ = nullptr;
        if (writeErrno_ == 0 && !temp_.empty() && rename(temp_.c_str(), target_.c_str()) != 0)
            writeErrno_ = errno;
        if (writeErrno_ == 0) temp_.clear();
    }
    if (writeErrno_ != 0) {
        *error = Reason(writeErrno_);
        Discard();
        return false;
    }
    return true;
}

}  // namespace zevtool
