// File checks and the read-only switch, on real files under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "hobu.h"
#include "testfiles.h"

namespace {

class FileUtilTest : public ::testing::Test {
protected:
    void SetUp() override { testfiles::ResetFolder(); }

    // A file of `size` bytes; "表" ends in 0x5C, which must not split the name.
    static std::string MakeFile(const char* leaf, size_t size) {
        std::string path = testfiles::Path(leaf);
        testfiles::Write(path, std::vector<uint8_t>(size, 'x'));
        return path;
    }

    static bool IsReadOnly(const std::string& path) {
        return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
    }
};

TEST_F(FileUtilTest, CheckFileAndFileSizeOnPresentAndMissingFiles) {
    std::string present = MakeFile("表.txt", 1234);
    std::string empty = MakeFile("empty.txt", 0);
    std::string missing = testfiles::Path("表なし.txt");
    DWORD size = 99;

    EXPECT_EQ(1, CheckFile(present.c_str()));
    EXPECT_EQ(1, CheckFile(empty.c_str()));
    EXPECT_EQ(0, CheckFile(missing.c_str()));

    EXPECT_EQ(1, FileSize(present.c_str(), &size));
    EXPECT_EQ(1234u, size);
    EXPECT_EQ(1, FileSize(empty.c_str(), &size));
    EXPECT_EQ(0u, size);
    size = 99;
    EXPECT_EQ(0, FileSize(missing.c_str(), &size));
    EXPECT_EQ(0u, size);
}

TEST_F(FileUtilTest, FileSizeOpensWithoutSharing) {
    std::string path = MakeFile("busy.txt", 10);
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    DWORD size = 99;
    EXPECT_EQ(0, FileSize(path.c_str(), &size));
    EXPECT_EQ(0u, size);
    CloseHandle(writer);
    EXPECT_EQ(1, FileSize(path.c_str(), &size));
    EXPECT_EQ(10u, size);
}

TEST_F(FileUtilTest, CheckFileReadOnlyReportsTheAttribute) {
    std::string path = MakeFile("表.txt", 1);
    EXPECT_EQ(1, CheckFileReadOnly(path.c_str()));
    testfiles::SetReadOnly(path, true);
    EXPECT_EQ(0, CheckFileReadOnly(path.c_str()));
    // Missing: all bits set, which callers treat as writable.
    EXPECT_EQ(-1, CheckFileReadOnly(testfiles::Path("missing.txt").c_str()));
    testfiles::SetReadOnly(path, false);
}

TEST_F(FileUtilTest, ReadOnlySwitchSetsClearsAndToggles) {
    std::string path = MakeFile("表.txt", 1);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_SET));
    EXPECT_TRUE(IsReadOnly(path));
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_SET));  // already so
    EXPECT_TRUE(IsReadOnly(path));
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_TOGGLE));
    EXPECT_FALSE(IsReadOnly(path));
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_CLEAR));  // already so
    EXPECT_FALSE(IsReadOnly(path));
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_TOGGLE));
    EXPECT_TRUE(IsReadOnly(path));
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), HOBU_READONLY_CLEAR));
    EXPECT_FALSE(IsReadOnly(path));
    // Only the low 16 bits of the mode count.
    EXPECT_EQ(1, FileReadOnlySwitch(path.c_str(), 0x10000 | HOBU_READONLY_SET));
    EXPECT_TRUE(IsReadOnly(path));
    // The other attributes are kept.
    EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(0, FileReadOnlySwitch(path.c_str(), 3));
    EXPECT_TRUE(IsReadOnly(path));
    FileReadOnlySwitch(path.c_str(), HOBU_READONLY_CLEAR);
}

TEST_F(FileUtilTest, ReadOnlySwitchOnAMissingFile) {
    std::string missing = testfiles::Path("missing.txt");
    EXPECT_EQ(0, FileReadOnlySwitch(missing.c_str(), HOBU_READONLY_SET));
    EXPECT_EQ(0, FileReadOnlySwitch(missing.c_str(), HOBU_READONLY_TOGGLE));
    EXPECT_FALSE(testfiles::Exists(missing));
}

TEST_F(FileUtilTest, GetDirectoryWritesTheFourFoldersAndNothingElse) {
    char expected[MAX_PATH];
    char buffer[MAX_PATH];
    GetWindowsDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(1, GetDirectory(buffer, MAX_PATH, HOBU_DIR_WINDOWS));
    EXPECT_STREQ(expected, buffer);
    GetSystemDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(1, GetDirectory(buffer, MAX_PATH, HOBU_DIR_SYSTEM));
    EXPECT_STREQ(expected, buffer);
    GetTempPathA(MAX_PATH, expected);
    EXPECT_EQ(1, GetDirectory(buffer, MAX_PATH, HOBU_DIR_TEMP));
    EXPECT_STREQ(expected, buffer);
    GetCurrentDirectoryA(MAX_PATH, expected);
    EXPECT_EQ(1, GetDirectory(buffer, 0x10000 | MAX_PATH, 0x10000 | HOBU_DIR_CURRENT));
    EXPECT_STREQ(expected, buffer);

    // A buffer too small for the folder is not overrun; the result is still 1.
    memset(buffer, 'u', sizeof buffer);
    EXPECT_EQ(1, GetDirectory(buffer, 0x10000 | 2, HOBU_DIR_WINDOWS));
    EXPECT_EQ('u', buffer[2]);

    memset(buffer, 'u', sizeof buffer);
    EXPECT_EQ(0, GetDirectory(buffer, MAX_PATH, 4));
    EXPECT_EQ(std::string(sizeof buffer, 'u'), std::string(buffer, sizeof buffer));
}

TEST(CheckOverflowTest, ClampsIntoTheRangeAndLowerWinsWhenTheRangeIsEmpty) {
    EXPECT_EQ(3.0, CheckOverflow(5, 1, 3));
    EXPECT_EQ(1.0, CheckOverflow(0, 1, 3));
    EXPECT_EQ(2.5, CheckOverflow(2.5, 1, 3));
    EXPECT_EQ(4.0, CheckOverflow(2, 4, 3));
    EXPECT_EQ(-1.5, CheckOverflow(-7, -1.5, 0));
}

}  // namespace
