// Every binary carries the one version of zev_version.h in its version
// resource: the numbers and the texts Explorer shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zev_version.h"

namespace {

std::string BesideThisTest(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

TEST(VersionResource, EveryBinaryHasTheProjectVersion) {
    for (const char* name : {"Zev.dll", "Hobu.dll", "Mardelko.exe", "zevedit.exe"}) {
        SCOPED_TRACE(name);
        const std::string path = BesideThisTest(name);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_NE(0u, size);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(MAKELONG(ZEV_VERSION_MINOR, ZEV_VERSION_MAJOR), fixed->dwFileVersionMS);
        EXPECT_EQ(MAKELONG(ZEV_VERSION_MINOR, ZEV_VERSION_MAJOR), fixed->dwProductVersionMS);
        for (const char* key : {"FileVersion", "ProductVersion"}) {
            char* text = nullptr;
            const std::string query = std::string("\\StringFileInfo\\041104B0\\") + key;
            ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text),
                                       &length));
            EXPECT_STREQ(ZEV_VERSION, text) << key;
        }
    }
}

}  // namespace
