// File checks, the read-only switch and the well-known directories.
#include <windows.h>

#include <stdio.h>

#include "hobu.h"

extern "C" int HOBUAPI CheckFile(const char* path) {
    if (!path) return 0;
    FILE* file = fopen(path, "rt");
    if (!file) return 0;
    fclose(file);
    return 1;
}

extern "C" int HOBUAPI FileSize(const char* path, DWORD* size) {
    HANDLE file = path ? CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr)
                       : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        if (size) *size = 0;
        return 0;
    }
    DWORD low = GetFileSize(file, nullptr);
    CloseHandle(file);
    if (size) *size = low;
    return 1;
}

extern "C" int HOBUAPI CheckFileReadOnly(const char* path) {
    DWORD attributes = path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
    return (attributes & FILE_ATTRIBUTE_READONLY) ? 0 : 1;
}

extern "C" int HOBUAPI FileReadOnlySwitch(const char* path, unsigned int mode) {
    DWORD attributes = path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) attributes = 0;
    bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    switch (mode & 0xFFFF) {
        case HOBU_READONLY_SET:
            if (readOnly) return 1;
            break;
        case HOBU_READONLY_CLEAR:
            if (!readOnly) return 1;
            break;
        case HOBU_READONLY_TOGGLE:
            break;
        default:
            return 0;
    }
    attributes ^= FILE_ATTRIBUTE_READONLY;
    // NORMAL is valid only alone.
    attributes &= ~FILE_ATTRIBUTE_NORMAL;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(path, attributes) ? 1 : 0;
}

extern "C" int HOBUAPI GetDirectory(char* buffer, unsigned int size, unsigned int selector) {
    UINT length = size & 0xFFFF;
    switch (selector & 0xFFFF) {
        case HOBU_DIR_WINDOWS:
            GetWindowsDirectoryA(buffer, length);
            return 1;
        case HOBU_DIR_SYSTEM:
            GetSystemDirectoryA(buffer, length);
            return 1;
        case HOBU_DIR_TEMP:
            GetTempPathA(length, buffer);
            return 1;
        case HOBU_DIR_CURRENT:
            GetCurrentDirectoryA(length, buffer);
            return 1;
        default:
            return 0;
    }
}
