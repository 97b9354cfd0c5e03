// Platform layer on KERNEL32.
#include "platform.h"

#include <windows.h>

#include <string.h>

namespace platform {

const uint32_t kErrorNotEnoughMemory = ERROR_NOT_ENOUGH_MEMORY;
const uint32_t kErrorAccessDenied = ERROR_ACCESS_DENIED;
const uint32_t kErrorFileExists = ERROR_FILE_EXISTS;

#ifdef ZEV_FAULT_INJECTION
// A failed call of each kind leaves the code the system gives most often:
// a full disk for writes, a write fault for the flush, a target that is open
// elsewhere for the replace, exhausted memory for allocations.
uint32_t faults::ErrorCode(faults::Kind kind) {
    static const DWORD codes[faults::kKindCount] = {ERROR_DISK_FULL, ERROR_WRITE_FAULT,
                                                    ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY};
    return codes[kind];
}
#define ZEV_INJECT_FAULT(kind, failure)          \
    if (faults::ShouldFail(kind)) {              \
        ::SetLastError(faults::ErrorCode(kind)); \
        return failure;                          \
    }
#else
#define ZEV_INJECT_FAULT(kind, failure)
#endif

static HANDLE ToHandle(File file) { return reinterpret_cast<HANDLE>(file.handle); }

static File FromHandle(HANDLE handle) {
    File file;
    if (handle != INVALID_HANDLE_VALUE) file.handle = reinterpret_cast<intptr_t>(handle);
    return file;
}

uint32_t LastError() { return ::GetLastError(); }
void SetLastError(uint32_t code) { ::SetLastError(code); }

File OpenForRead(const char* path) {
    return FromHandle(::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

File CreateNew(const char* path) {
    return FromHandle(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Bytes of `path` up to and including its last separator; double-byte
// characters are stepped over whole, since their second byte may be 0x5C.
static size_t FolderLength(const char* path) {
    size_t length = 0;
    for (const char* at = path; *at; at = ::CharNextA(at))
        if (*at == '\\' || *at == '/' || *at == ':') length = static_cast<size_t>(at - path) + 1;
    return length;
}

File CreateTemporaryBeside(const char* path, char* name, size_t nameSize) {
    char folder[MAX_PATH] = ".";
    const size_t length = FolderLength(path);
    if (length >= sizeof folder) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return File();
    }
    if (length > 0) {
        memcpy(folder, path, length);
        folder[length] = '\0';
    }
    // The system picks a free name of the form zevXXXX.tmp and creates the file.
    char temp[MAX_PATH];
    if (!::GetTempFileNameA(folder, "zev", 0, temp)) return File();
    if (strlen(temp) >= nameSize) {
        ::DeleteFileA(temp);
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return File();
    }
    strcpy(name, temp);
    File file = FromHandle(::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DWORD error = ::GetLastError();
        ::DeleteFileA(temp);
        ::SetLastError(error);
    }
    return file;
}

bool Read(File file, void* buffer, uint32_t size, uint32_t* got) {
    DWORD count = 0;
    BOOL ok = ::ReadFile(ToHandle(file), buffer, size, &count, nullptr);
    *got = count;
    return ok != FALSE;
}

bool Write(File file, const void* buffer, uint32_t size) {
    ZEV_INJECT_FAULT(faults::kWrite, false)
    DWORD count = 0;
    if (!::WriteFile(ToHandle(file), buffer, size, &count, nullptr)) return false;
    if (count != size) {
        ::SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

bool Skip(File file, uint32_t distance) {
    LARGE_INTEGER move;
    move.QuadPart = distance;
    return ::SetFilePointerEx(ToHandle(file), move, nullptr, FILE_CURRENT) != FALSE;
}

bool GetSize(File file, uint64_t* size) {
    LARGE_INTEGER value;
    if (!::GetFileSizeEx(ToHandle(file), &value)) return false;
    *size = static_cast<uint64_t>(value.QuadPart);
    return true;
}

bool Flush(File file) {
    ZEV_INJECT_FAULT(faults::kFlush, false)
    return ::FlushFileBuffers(ToHandle(file)) != FALSE;
}

void Close(File file) {
    if (file.valid()) ::CloseHandle(ToHandle(file));
}

bool Replace(const char* source, const char* target) {
    ZEV_INJECT_FAULT(faults::kReplace, false)
    return ::MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

bool Remove(const char* path) { return ::DeleteFileA(path) != FALSE; }

char* ResolveSaveTarget(const char* path) {
    size_t size = strlen(path) + 1;
    char* target = static_cast<char*>(AllocZeroed(size));
    if (target) memcpy(target, path, size);
    return target;
}

bool IsReadOnlyFile(const char* path) {
    DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

size_t SystemErrorText(uint32_t code, char* buffer, size_t size) {
    if (size == 0) return 0;
    buffer[0] = '\0';
    char* text = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
        nullptr);
    if (length == 0 || text == nullptr) return 0;
    // Cut at a character boundary so that no lone lead byte is left behind.
    size_t copied = 0;
    while (copied < length) {
        size_t step =
            (::IsDBCSLeadByte(static_cast<BYTE>(text[copied])) && copied + 1 < length) ? 2 : 1;
        if (copied + step > size - 1) break;
        copied += step;
    }
    memcpy(buffer, text, copied);
    buffer[copied] = '\0';
    ::LocalFree(text);
    return copied;
}

void* AllocZeroed(size_t size) {
    ZEV_INJECT_FAULT(faults::kAllocation, nullptr)
    void* block = ::GlobalAlloc(GPTR, size);
#ifdef ZEV_FAULT_INJECTION
    if (block) faults::CountBlock(1);
#endif
    return block;
}

bool Free(void* block) {
    if (block == nullptr) return true;
    bool released = ::GlobalFree(block) == nullptr;
#ifdef ZEV_FAULT_INJECTION
    if (released) faults::CountBlock(-1);
#endif
    return released;
}

bool IsLeadByte(uint8_t byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace platform
