// The text export: the listing byte for byte, and every way it stops.
#include "editor_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Each line followed by CR LF.
Bytes Listing(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return Bytes(text.begin(), text.end());
}

std::string Dashes(int count) { return std::string(count, '-'); }

const std::vector<std::string> kThreeByThreeHeader = {
    "変換元方言名：標準語",
    "変換先方言名：関西弁",
    "",
    "最大レベル  ：3",
    "タイプ数    ：3",
    "",
    "",
    "【 レベル名 】",
    "1：弱",
    "2：中",
    "3：強",
    "",
    "【 タイプ名 】",
    "1：名詞",
    "2：動詞",
    "3：副詞",
    "",
    "",
};

std::vector<std::string> Join(std::vector<std::string> first,
                              const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class ExportTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(testfiles::Path("").c_str(), MAX_PATH, full, nullptr);
        folder.assign(full, length);
        GetCurrentDirectoryA(MAX_PATH, startDirectory);
    }
    // The file dialog may change the current directory, which the scratch folders are
    // relative to.
    void TearDown() override {
        EditorTest::TearDown();
        SetCurrentDirectoryA(startDirectory);
    }

    std::string FullPath(const std::string& leaf) const { return folder + leaf; }

    void Add(const char* source, const char* target, int level, int typeMask, int condition) {
        ASSERT_NE(0,
                  zevCreateData(source, static_cast<uint8_t>(level), static_cast<uint8_t>(typeMask),
                                static_cast<uint8_t>(condition), target));
    }

    // Exports to path through the file dialog, with no box expected.
    Bytes Export(const std::string& path, FileDialogSeen* seen = nullptr) {
        harness->ExpectFileDialog(path.c_str(), seen);
        Command(IDM_EXPORT_TEXT);
        EXPECT_TRUE(harness->Finished());
        return testfiles::Read(path);
    }

    // Names of the files in the test's folder.
    std::vector<std::string> Files() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(FullPath("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    std::string folder;
    char startDirectory[MAX_PATH] = {};
};

TEST_F(ExportTest, NarrowColumnsGapsAndThreeTypes) {
    OpenThreeByThree();
    for (int i = 0; i < 8; ++i) Add("仮", "仮", 1, 1, 0);
    for (int slot : {1, 2, 4, 5, 6}) ASSERT_EQ(1, zevRemoveData(static_cast<uint16_t>(slot)));
    ASSERT_EQ(1, zevUpdateData(3, "ありがとう", 2, 0x05, 1, "おおきに"));
    ASSERT_EQ(1, zevUpdateData(7, "だめ", 1, 0x02, 0, "あかん"));
    ASSERT_EQ(1, zevUpdateData(8, "abc", 3, 0x07, 5, "xyz"));
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    editorState.isModified = 0;
    UpdateTitle(main, editorState.currentFileName, 0);

    FileDialogSeen seen;
    Bytes written = Export(FullPath("list.txt"), &seen);
    EXPECT_EQ("ﾃｷｽﾄﾌｧｲﾙへ出力", seen.title);
    EXPECT_EQ("*.txt", seen.fileName);
    EXPECT_EQ((std::vector<std::string>{"テキストファイル (*.txt)", "すべてのファイル (*.*)"}),
              seen.filters);
    // Version 1.0.0 of a new dictionary; year 0 and no holder, no comment: neither line.
    EXPECT_EQ(
        Listing(Join(kThreeByThreeHeader,
                     {
                         "バージョン：1.0.0",
                         "",
                         "",
                         "No     変換元文字列    変換先文字列    レベル  タイプ<12345678>  条件",
                         Dashes(69),
                         "00001  ありがとう      おおきに           2          <o.o----->  AND",
                         "00002  だめ            あかん             1          <.o.----->  OR",
                         "00003  abc             xyz                3          <ooo----->  OR",
                     })),
        written);
    // The export changes neither the dictionary's state nor the title.
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());
}

TEST_F(ExportTest, WiderColumnsWithCopyrightAndComment) {
    OpenThreeByThree();
    ASSERT_EQ(1, zevUpdateFooter(2, 1, 3, "大阪の言葉です", 2026, "浪速太郎"));
    Add("ありがと", "おおきに", 1, 0x01, 0);
    Add("だめ", "めっちゃくちゃでかい", 2, 0x03, 1);
    EXPECT_EQ(Listing(Join(
                  kThreeByThreeHeader,
                  {
                      "バージョン：2.1.3",
                      "著作権情報：Copyright(C) 2026 浪速太郎",
                      "コメント　：大阪の言葉です",
                      "",
                      "",
                      "No     変換元文字列    変換先文字列          レベル  タイプ<12345678>  条件",
                      Dashes(75),
                      "00001  ありがと        おおきに                 1          <o..----->  OR",
                      "00002  だめ            めっちゃくちゃでかい     2          <oo.----->  AND",
                  })),
              Export(FullPath("wide.txt")));

    // The longest source is followed by exactly two spaces; eight types fill the type text.
    zevCloseDic();
    OpenDictionary({"一"}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    Add("とってもとってもながい言葉", "a", 1, 0x81, 1);
    Bytes written = Export(FullPath("long.txt"));
    std::string text(written.begin(), written.end());
    std::string tail =
        "No     変換元文字列                変換先文字列    レベル  タイプ<12345678>  条件\r\n" +
        Dashes(81) +
        "\r\n"
        "00001  とってもとってもながい言葉  a                  1          <o......o>  AND\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
}

TEST_F(ExportTest, CopyrightNeedsBothYearAndHolder) {
    struct Footer {
        uint16_t year;
        const char* holder;
        const char* comment;
        std::vector<std::string> lines;
    };
    const Footer footers[] = {
        {0, "浪速太郎", "", {}},
        {2026, "", "メモ", {"コメント　：メモ"}},
        {1999, "X", "", {"著作権情報：Copyright(C) 1999 X"}},
    };
    for (const Footer& footer : footers) {
        SCOPED_TRACE(footer.year);
        if (zevIsOpen()) zevCloseDic();
        OpenThreeByThree();
        ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, footer.comment, footer.year, footer.holder));
        Add("a", "b", 1, 1, 0);
        std::string expected = "3：副詞\r\n\r\n\r\nバージョン：1.0.0\r\n";
        for (const std::string& line : footer.lines) expected += line + "\r\n";
        expected += "\r\n\r\nNo     ";
        Bytes written = Export(FullPath("footer" + std::to_string(footer.year) + ".txt"));
        std::string text(written.begin(), written.end());
        EXPECT_NE(std::string::npos, text.find(expected)) << text;
    }
}

TEST_F(ExportTest, NothingToExportOpensNoFileDialog) {
    OpenThreeByThree();
    ExpectWarning("テキストに出力する変換データが存在しません。");
    Command(IDM_EXPORT_TEXT);
    CheckBoxes();

    // Entries whose targets are all empty leave nothing either.
    Add("あ", "", 1, 1, 0);
    Add("い", "", 1, 1, 0);
    ExpectWarning("テキストに出力する変換データが存在しません。");
    Command(IDM_EXPORT_TEXT);
    CheckBoxes();
    EXPECT_TRUE(Files().empty());

    // One non-empty target is enough; an empty string still takes its column.
    Add("う", "え", 1, 1, 0);
    Bytes written = Export(FullPath("out.txt"));
    std::string text(written.begin(), written.end());
    EXPECT_NE(
        std::string::npos,
        text.find("\r\n00001  あ                                 1          <o..----->  OR\r\n"))
        << text;
}

TEST_F(ExportTest, CancelledRefusedOrReadOnlyLeavesTheFileAlone) {
    OpenThreeByThree();
    Add("あ", "い", 1, 1, 0);
    harness->ExpectFileDialog(nullptr);
    Command(IDM_EXPORT_TEXT);
    EXPECT_TRUE(harness->Finished());
    EXPECT_TRUE(Files().empty());

    std::string path = FullPath("old.txt");
    testfiles::Write(path, Bytes{'o', 'l', 'd'});
    harness->ExpectFileDialog(path.c_str());
    MessageBoxSeen question;
    harness->ExpectMessageBox(IDNO, &question);
    Command(IDM_EXPORT_TEXT);
    EXPECT_TRUE(harness->Finished());
    EXPECT_EQ(path + "\nこのファイルはすでに存在します。\n現在の内容で置き換えますか？",
              question.text);
    EXPECT_EQ("方言辞書エディタ", question.caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), question.icon);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), question.buttons);
    EXPECT_EQ((Bytes{'o', 'l', 'd'}), testfiles::Read(path));

    testfiles::SetReadOnly(path, true);
    harness->ExpectFileDialog(path.c_str());
    harness->ExpectMessageBox(IDYES);
    ExpectWarning("このファイルは読取り専用ファイルのため、書き込むことができません。");
    Command(IDM_EXPORT_TEXT);
    CheckBoxes();
    testfiles::SetReadOnly(path, false);
    EXPECT_EQ((Bytes{'o', 'l', 'd'}), testfiles::Read(path));

    // A file held open elsewhere cannot be created: the user is told which, and the
    // old contents stay.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    harness->ExpectFileDialog(path.c_str());
    ExpectWarning((path + "\nファイルの書き込みに失敗しました。").c_str());
    Command(IDM_EXPORT_TEXT);
    CheckBoxes();
    CloseHandle(other);
    EXPECT_EQ((Bytes{'o', 'l', 'd'}), testfiles::Read(path));

    // Answered Yes, the old contents are replaced.
    harness->ExpectFileDialog(path.c_str());
    harness->ExpectMessageBox(IDYES);
    Command(IDM_EXPORT_TEXT);
    EXPECT_TRUE(harness->Finished());
    EXPECT_LT(100u, testfiles::Read(path).size());
}

// A write that fails (here: a full device) is reported, naming the file, instead of
// leaving a listing that looks complete.
TEST_F(ExportTest, AFailedWriteIsReported) {
    const char* full = "Z:\\dev\\full";
    OpenThreeByThree();
    Add("あ", "い", 1, 1, 0);
    harness->ExpectFileDialog(full);
    harness->ExpectMessageBox(IDYES);  // it exists
    ExpectWarning(
        "Z:\\dev\\full\nファイルの書き込みに失敗しました。出力されたテキストは不完全です。");
    Command(IDM_EXPORT_TEXT);
    CheckBoxes();
}

}  // namespace
