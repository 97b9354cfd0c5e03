// Platform layer on POSIX. Text is code page 932 whatever the locale, so the
// lead-byte test uses that code page's fixed ranges.
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

const uint32_t kErrorNotEnoughMemory = ENOMEM;
const uint32_t kErrorAccessDenied = EACCES;
const uint32_t kErrorFileExists = EEXIST;

#ifdef ZEV_FAULT_INJECTION
// A failed call of each kind leaves the code the system gives most often:
// a full disk for writes, an I/O error for the flush, a busy target for the
// replace, exhausted memory for allocations.
uint32_t faults::ErrorCode(faults::Kind kind) {
    static const int codes[faults::kKindCount] = {ENOSPC, EIO, EBUSY, ENOMEM};
    return static_cast<uint32_t>(codes[kind]);
}
#define ZEV_INJECT_FAULT(kind, failure)                    \
    if (faults::ShouldFail(kind)) {                        \
        errno = static_cast<int>(faults::ErrorCode(kind)); \
        return failure;                                    \
    }
#else
#define ZEV_INJECT_FAULT(kind, failure)
#endif

static int ToFd(File file) { return static_cast<int>(file.handle); }

static File FromFd(int fd) {
    File file;
    if (fd >= 0) file.handle = fd;
    return file;
}

uint32_t LastError() { return static_cast<uint32_t>(errno); }
void SetLastError(uint32_t code) { errno = static_cast<int>(code); }

File OpenForRead(const char* path) {
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return File();
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        errno = EISDIR;
        return File();
    }
    return FromFd(fd);
}

File CreateNew(const char* path) {
    return FromFd(open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

// A number that differs between calls, processes and moments, for names.
static uint32_t NameNumber() {
    static uint32_t calls = 0;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    uint32_t mixed = static_cast<uint32_t>(now.tv_nsec) ^ (static_cast<uint32_t>(getpid()) << 12) ^
                     (++calls * 2654435761u);
    return mixed & 0xFFFFFF;
}

File CreateTemporaryBeside(const char* path, char* name, size_t nameSize) {
    const char* slash = strrchr(path, '/');
    const int folder = slash ? static_cast<int>(slash - path + 1) : 0;
    File file;
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        // zevXXXXXX.tmp: 13 bytes, whatever the length of the dictionary's name.
        if (snprintf(name, nameSize, "%.*szev%06x.tmp", folder, path, NameNumber()) >=
            static_cast<int>(nameSize)) {
            errno = ENAMETOOLONG;
            return File();
        }
        file = FromFd(open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.valid() && errno != EEXIST) break;
    }
    return file;
}

bool Read(File file, void* buffer, uint32_t size, uint32_t* got) {
    size_t total = 0;
    while (total < size) {
        ssize_t n = read(ToFd(file), static_cast<char*>(buffer) + total, size - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *got = static_cast<uint32_t>(total);
            return false;
        }
        if (n == 0) break;
        total += static_cast<size_t>(n);
    }
    *got = static_cast<uint32_t>(total);
    return true;
}

bool Write(File file, const void* buffer, uint32_t size) {
    ZEV_INJECT_FAULT(faults::kWrite, false)
    size_t total = 0;
    while (total < size) {
        ssize_t n = write(ToFd(file), static_cast<const char*>(buffer) + total, size - total);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        total += static_cast<size_t>(n);
    }
#ifdef SYNC_FILE_RANGE_WRITE
    // Start putting what was written on the disk now, so that the flush at the
    // end of a save waits only for the last of it. A hint: its errors come back
    // from the flush.
    sync_file_range(ToFd(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return true;
}

bool Skip(File file, uint32_t distance) {
    return lseek(ToFd(file), static_cast<off_t>(distance), SEEK_CUR) != static_cast<off_t>(-1);
}

bool GetSize(File file, uint64_t* size) {
    struct stat info;
    if (fstat(ToFd(file), &info) != 0) return false;
    *size = static_cast<uint64_t>(info.st_size);
    return true;
}

bool Flush(File file) {
    ZEV_INJECT_FAULT(faults::kFlush, false)
    // The data and what it takes to read them back (the file's size); the
    // times of access and change need not wait for the disk.
    return fdatasync(ToFd(file)) == 0;
}

void Close(File file) {
    if (file.valid()) close(ToFd(file));
}

bool Replace(const char* source, const char* target) {
    ZEV_INJECT_FAULT(faults::kReplace, false)
    // Keep the permissions of the file being replaced.
    struct stat info;
    if (stat(target, &info) == 0 && S_ISREG(info.st_mode)) chmod(source, info.st_mode & 07777);
    return rename(source, target) == 0;
}

bool Remove(const char* path) { return unlink(path) == 0; }

char* ResolveSaveTarget(const char* path) {
    struct stat info;
    char* resolved = nullptr;
    if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        resolved = realpath(path, nullptr);
        if (!resolved) return nullptr;
    }
    const char* chosen = resolved ? resolved : path;
    if (stat(chosen, &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
        // Renaming a file over a device would replace the device itself.
        free(resolved);
        errno = EPERM;
        return nullptr;
    }
    size_t size = strlen(chosen) + 1;
    char* target = static_cast<char*>(AllocZeroed(size));
    if (target) memcpy(target, chosen, size);
    free(resolved);
    return target;
}

bool IsReadOnlyFile(const char* path) {
    // The owner's write bit stands for the read-only attribute; root would be
    // let through by access(), so look at the mode itself.
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR);
}

size_t SystemErrorText(uint32_t code, char* buffer, size_t size) {
    if (size == 0) return 0;
    char text[256];
    const char* message = text;
#if (_POSIX_C_SOURCE >= 200112L) && !defined(_GNU_SOURCE)
    if (strerror_r(static_cast<int>(code), text, sizeof text) != 0) text[0] = '\0';
#else
    message = strerror_r(static_cast<int>(code), text, sizeof text);
#endif
    size_t length = strlen(message);
    if (length > size - 1) length = size - 1;
    memcpy(buffer, message, length);
    buffer[length] = '\0';
    return length;
}

void* AllocZeroed(size_t size) {
    ZEV_INJECT_FAULT(faults::kAllocation, nullptr)
    void* block = calloc(1, size);
#ifdef ZEV_FAULT_INJECTION
    if (block) faults::CountBlock(1);
#endif
    return block;
}

bool Free(void* block) {
#ifdef ZEV_FAULT_INJECTION
    if (block) faults::CountBlock(-1);
#endif
    free(block);
    return true;
}

bool IsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform
