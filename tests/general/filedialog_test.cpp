// The open and save dialogs, driven through the real common dialogs.
#include <gtest/gtest.h>

#include <string>

#include "dialog_harness.h"
#include "hobu.h"
#include "testfiles.h"

namespace {

const char kFilter[] = "辞書ファイル (*.zev)|*.zev|すべてのファイル (*.*)|*.*||";

class FileDialogTest : public ::testing::Test {
protected:
    // The dialogs move the current directory to the chosen folder, as the
    // platform's dialogs do; the scratch folders are relative to it.
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, startDirectory);
        testfiles::ResetFolder();
        folder = FullPath(testfiles::Path(""));
        result.assign(HOBU_FILENAME_BUFFER, '\0');
    }

    static std::string FullPath(const std::string& path) {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
        return std::string(full, length);
    }

    void TearDown() override { SetCurrentDirectoryA(startDirectory); }

    std::string Result() const { return std::string(result.c_str()); }

    char startDirectory[MAX_PATH] = "";
    std::string folder;  // ends in a backslash
    std::string result;
    DialogHarness harness;
};

TEST_F(FileDialogTest, OpenShowsTitleFilterInitialNameAndCheckedReadOnlyBox) {
    std::string chosen = folder + "表示.zev";  // 表 ends in 0x5C
    FileDialogSeen seen;
    harness.ExpectFileDialog(chosen.c_str(), &seen);
    ASSERT_EQ(1, GetOpenFilename(nullptr, "辞書を開く", folder.c_str(), "最初.zev", kFilter, 1, 0,
                                 &result[0]));
    EXPECT_TRUE(harness.Finished());
    EXPECT_EQ(chosen, Result());
    EXPECT_EQ("辞書を開く", seen.title);
    EXPECT_EQ("最初.zev", seen.fileName);
    EXPECT_EQ((std::vector<std::string>{"辞書ファイル (*.zev)", "すべてのファイル (*.*)"}),
              seen.filters);
    EXPECT_TRUE(seen.readOnlyShown);
    EXPECT_TRUE(seen.readOnlyChecked);
}

TEST_F(FileDialogTest, OpenHidesReadOnlyBoxUnlessAskedWithOne) {
    for (int showReadOnly : {0, 2, -1}) {
        SCOPED_TRACE(showReadOnly);
        std::string chosen = folder + "a.zev";
        FileDialogSeen seen;
        harness.ExpectFileDialog(chosen.c_str(), &seen);
        ASSERT_EQ(
            1, GetOpenFilename(nullptr, "開く", nullptr, "", kFilter, showReadOnly, 0, &result[0]));
        EXPECT_EQ(chosen, Result());
        EXPECT_FALSE(seen.readOnlyShown);
    }
    EXPECT_TRUE(harness.Finished());
}

TEST_F(FileDialogTest, CancelReturnsZeroAndLeavesTheResultAlone) {
    result.replace(0, 8, "untouch!");
    FileDialogSeen openSeen, saveSeen;
    harness.ExpectFileDialog(nullptr, &openSeen);
    harness.ExpectFileDialog(nullptr, &saveSeen);
    EXPECT_EQ(0,
              GetOpenFilename(nullptr, "開く", folder.c_str(), "x.zev", kFilter, 1, 0, &result[0]));
    EXPECT_EQ(0, GetSaveFilename(nullptr, "保存", folder.c_str(), "x.zev", kFilter, &result[0]));
    EXPECT_TRUE(harness.Finished());
    EXPECT_EQ("untouch!", Result());
    EXPECT_EQ("開く", openSeen.title);
    EXPECT_EQ("保存", saveSeen.title);
}

TEST_F(FileDialogTest, SaveReturnsTheTypedPathAsItStandsWithoutReadOnlyBox) {
    FileDialogSeen seen;
    std::string chosen = folder + "表示ソ";  // no extension is added
    harness.ExpectFileDialog(chosen.c_str(), &seen);
    ASSERT_EQ(1, GetSaveFilename(nullptr, "名前を付けて保存", folder.c_str(), "新規.txt",
                                 "テキスト (*.txt)|*.txt||", &result[0]));
    EXPECT_TRUE(harness.Finished());
    EXPECT_EQ(chosen, Result());
    EXPECT_EQ("名前を付けて保存", seen.title);
    EXPECT_EQ("新規.txt", seen.fileName);
    EXPECT_EQ(std::vector<std::string>{"テキスト (*.txt)"}, seen.filters);
    EXPECT_FALSE(seen.readOnlyShown);

    // The same record serves the next call, which starts afresh.
    std::string second = folder + "second.txt";
    harness.ExpectFileDialog(second.c_str(), &seen);
    ASSERT_EQ(1, GetSaveFilename(nullptr, "二回目", nullptr, nullptr, "A|*.a||", &result[0]));
    EXPECT_EQ(second, Result());
    EXPECT_EQ("二回目", seen.title);
    EXPECT_EQ("", seen.fileName);
    EXPECT_EQ(std::vector<std::string>{"A"}, seen.filters);
}

// Only the first part of the multiple-selection list, the folder, reaches
// the caller.
TEST_F(FileDialogTest, MultipleSelectionGivesTheFolderOnly) {
    testfiles::Write(testfiles::Path("a.zev"), {1});
    testfiles::Write(testfiles::Path("b.zev"), {2});
    harness.ExpectFileDialog("\"a.zev\" \"b.zev\"");
    ASSERT_EQ(1, GetOpenFilename(nullptr, "開く", folder.c_str(), "", kFilter, 0, 1, &result[0]));
    EXPECT_EQ(folder.substr(0, folder.size() - 1), Result());
    EXPECT_EQ('\0', result[folder.size()]);
}

TEST_F(FileDialogTest, BareNameLandsInTheInitialDirectory) {
    harness.ExpectFileDialog("bare.zev");
    ASSERT_EQ(1, GetOpenFilename(nullptr, "開く", folder.c_str(), "", kFilter, 0, 0, &result[0]));
    EXPECT_EQ(folder + "bare.zev", Result());
}

// Descriptions with a 0x7C trail byte ("ポ" is 0x83 0x7C) stay whole; a
// filter longer than the buffer is cut, and the dialog still opens.
TEST_F(FileDialogTest, FilterKeepsDoubleByteCharactersAndCutsAnOverlongFilter) {
    FileDialogSeen seen;
    harness.ExpectFileDialog(nullptr, &seen);
    GetOpenFilename(nullptr, "開く", nullptr, "", "ポルトガル語 (*.pt)|*.pt|−全部|*.*||", 0, 0,
                    &result[0]);
    EXPECT_EQ((std::vector<std::string>{"ポルトガル語 (*.pt)", "−全部"}), seen.filters);

    std::string filter;
    std::vector<std::string> descriptions;
    for (int i = 0; filter.size() < 2000; ++i) {
        descriptions.push_back("種類" + std::to_string(i));
        filter += descriptions.back() + "|*.t" + std::to_string(i) + "|";
    }
    filter += "|";
    harness.ExpectFileDialog(nullptr, &seen);
    GetOpenFilename(nullptr, "開く", nullptr, "", filter.c_str(), 0, 0, &result[0]);
    EXPECT_TRUE(harness.Finished());
    ASSERT_GT(seen.filters.size(), 10u);
    ASSERT_LT(seen.filters.size(), descriptions.size());
    descriptions.resize(seen.filters.size());
    EXPECT_EQ(descriptions, seen.filters);
}

}  // namespace
