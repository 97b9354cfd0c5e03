// Scratch files for the fuzz targets.
#include "fuzz_support.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fuzz {

std::string ScratchPath(const char* leaf) {
#ifdef _WIN32
    char folder[MAX_PATH + 1] = "";
    GetTempPathA(sizeof folder, folder);
    std::string path = folder;
    int pid = _getpid();
#else
    const char* folder = getenv("TMPDIR");
    std::string path = std::string(folder && *folder ? folder : "/tmp") + "/";
    int pid = static_cast<int>(getpid());
#endif
    return path + "zevfuzz-" + std::to_string(pid) + "-" + leaf;
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || fwrite(data, 1, size, file) == size;
    return fclose(file) == 0 && ok;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    fclose(file);
    return bytes;
}

}  // namespace fuzz
