// Replays a fuzz target's corpus without libFuzzer: each argument is a file
// or a folder of files, and every file is run through the target once. A
// failed check aborts, so a finding fails the run.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
#ifdef _WIN32
    // The reference scan knows code page 932's lead bytes; the library asks the system.
    if (GetACP() != 932) {
        fprintf(stderr, "FATAL: ANSI code page is %u, not 932; run under LANG=ja_JP.UTF-8\n",
                GetACP());
        return 3;
    }
#endif
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        fprintf(stderr, "no corpus files given\n");
        return 2;
    }
    for (const fs::path& path : files) {
        std::vector<uint8_t> bytes = fuzz::ReadFile(path.string());
        FUZZ_CHECK(bytes.size() == fs::file_size(path));
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    printf("%zu inputs replayed\n", files.size());
    return 0;
}
