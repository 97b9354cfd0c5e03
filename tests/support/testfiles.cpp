#include "testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace testfiles {

static fs::path Folder() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "global";
    for (char& c : name)
        if (c == '/') c = '_';
    return fs::path("test-files") / name;
}

void ResetFolder() {
    fs::path folder = Folder();
    if (fs::exists(folder)) {
        // Read-only leftovers must not stop the removal; links are left as they are.
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            std::error_code ignored;
            if (!entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add,
                                ignored);
        }
        fs::remove_all(folder);
    }
    fs::create_directories(folder);
}

std::string Path(const std::string& leaf) {
    fs::path folder = Folder();
    fs::create_directories(folder);
    return (folder / leaf).string();
}

std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Narrow paths are code page 932 here; std::filesystem would not read them so.
bool Exists(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat info;
    return stat(path.c_str(), &info) == 0;
#endif
}

void MakeFolder(const std::string& path) { fs::create_directories(path); }

std::vector<std::string> List() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder()))
        names.push_back(entry.path().filename().string());
    return names;
}

void SetReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (readOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    else
        attributes &= ~FILE_ATTRIBUTE_READONLY;
    SetFileAttributesA(path.c_str(), attributes);
#else
    chmod(path.c_str(), readOnly ? 0444 : 0644);
#endif
}

}  // namespace testfiles
