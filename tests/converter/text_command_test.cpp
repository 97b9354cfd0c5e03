// Loading the input text and saving the converted text.
#include "converter_fixture.h"

namespace {

using TextCommandTest = ConverterTest;

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

TEST_F(TextCommandTest, OpenTextLoadsUpTo64000Bytes) {
    std::string exact = FullPath("exact.txt");
    std::string text(64000, 'a');
    text.replace(0, 8, "一行目\r\n");
    testfiles::Write(exact, Bytes(text));
    SetDlgItemTextA(window, IDC_OUTPUT, "kept");
    FileDialogSeen seen;
    harness.ExpectFileDialog(exact.c_str(), &seen);
    Command(IDM_OPEN_TEXT);
    EXPECT_EQ("ﾃｷｽﾄを開く", seen.title);
    EXPECT_EQ("*.txt", seen.fileName);
    EXPECT_EQ((std::vector<std::string>{"テキストファイル (*.txt)", "HTMLファイル (*.html, *.htm)",
                                        "すべてのファイル (*.*)"}),
              seen.filters);
    EXPECT_EQ(text, InputText());
    EXPECT_EQ("kept", OutputText());

    std::string tooLarge = FullPath("large.txt");
    testfiles::Write(tooLarge, std::vector<uint8_t>(64001, 'b'));
    MessageBoxSeen& box = ChooseFileExpectingBox(IDM_OPEN_TEXT, tooLarge);
    EXPECT_EQ("ファイルサイズが大きすぎるため、開くことができません。", box.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.icon);
    EXPECT_EQ(text, InputText());
}

TEST_F(TextCommandTest, OpenTextOfAMissingOrLockedFile) {
    MessageBoxSeen& missing = ChooseFileExpectingBox(IDM_OPEN_TEXT, FullPath("none.txt"));
    EXPECT_EQ("指定したﾌｧｲﾙが見つかりません。", missing.text);

    std::string locked = FullPath("locked.txt");
    testfiles::Write(locked, Bytes("text"));
    HANDLE other = CreateFileA(locked.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    // CheckFile opens it for reading, which the writer allows; the reader
    // shares reads only, which the writer does not allow.
    MessageBoxSeen& failed = ChooseFileExpectingBox(IDM_OPEN_TEXT, locked);
    CloseHandle(other);
    EXPECT_EQ("エラーが発生したためファイルを開くことができませんでした。", failed.text);
    EXPECT_EQ("", InputText());
}

TEST_F(TextCommandTest, SaveWritesTheOutputBoxExactly) {
    MessageBoxSeen& nothing = ExpectBox();
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ("変換が行われていません。", nothing.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), nothing.icon);

    std::string text = "おおきに\r\n\r\n最後の行";
    SetDlgItemTextA(window, IDC_OUTPUT, text.c_str());
    std::string path = FullPath("out.txt");
    FileDialogSeen seen;
    harness.ExpectFileDialog(path.c_str(), &seen);
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ("変換テキストの保存", seen.title);
    EXPECT_EQ("*.txt", seen.fileName);
    EXPECT_EQ(3u, seen.filters.size());
    EXPECT_EQ(Bytes(text), testfiles::Read(path));

    // No extension is added to a name without one.
    std::string bare = FullPath("bare");
    harness.ExpectFileDialog(bare.c_str());
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ(Bytes(text), testfiles::Read(bare));
}

TEST_F(TextCommandTest, SaveAsksBeforeReplacingAndRefusesReadOnlyFiles) {
    std::string path = FullPath("old.txt");
    testfiles::Write(path, Bytes("old"));
    SetDlgItemTextA(window, IDC_OUTPUT, "new");

    harness.ExpectFileDialog(path.c_str());
    MessageBoxSeen& question = ExpectBox(IDCANCEL);
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ(path + "\nこのﾌｧｲﾙはすでに存在します。現在の内容で置き換えますか？", question.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), question.icon);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), question.buttons);
    EXPECT_EQ(Bytes("old"), testfiles::Read(path));

    testfiles::SetReadOnly(path, true);
    harness.ExpectFileDialog(path.c_str());
    ExpectBox(IDOK);
    MessageBoxSeen& readOnly = ExpectBox();
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ("ファイルは読取り専用ファイルのため、書き込むことができません。", readOnly.text);
    testfiles::SetReadOnly(path, false);
    EXPECT_EQ(Bytes("old"), testfiles::Read(path));

    harness.ExpectFileDialog(path.c_str());
    ExpectBox(IDOK);
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ(Bytes("new"), testfiles::Read(path));
}

TEST_F(TextCommandTest, SaveKeepsAnOutputLongerThan64000Bytes) {
    std::string text(100000, 'z');
    SetDlgItemTextA(window, IDC_OUTPUT, text.c_str());
    std::string path = FullPath("long.txt");
    harness.ExpectFileDialog(path.c_str());
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ(text.size(), testfiles::Read(path).size());
}

TEST_F(TextCommandTest, FailedWriteIsReported) {
    SetDlgItemTextA(window, IDC_OUTPUT, "text");
    std::string path = FullPath("held.txt");
    testfiles::Write(path, Bytes("held"));
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr);
    harness.ExpectFileDialog(path.c_str());
    ExpectBox(IDOK);
    MessageBoxSeen& failed = ExpectBox();
    Command(IDM_SAVE_TEXT);
    CloseHandle(other);
    EXPECT_EQ("ファイルの書き込みに失敗しました。", failed.text);
    EXPECT_EQ(Bytes("held"), testfiles::Read(path));
}

}  // namespace
