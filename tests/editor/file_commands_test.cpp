// The file commands through the real common file dialogs: Open, Save, Save As, closing
// with unsaved changes, and the extension rule.
#include "editor_fixture.h"
#include "table_helpers.h"

#include <filesystem>

namespace {

const char kSaveChanges[] = "辞書の内容が変更されています。変更内容を保存しますか？";
const char kReadOnly[] = "このファイルは読取り専用ファイルのため、書き込むことができません。";
const char kSaveFailed[] = "何らかの原因により、保存に失敗しました。";
const char kOverwrite[] = "\nこのファイルはすでに存在します。\n現在の内容で置き換えますか？";

class FileCommandsTest : public EditorTest {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof startDirectory, startDirectory);
        EditorTest::SetUp();
        // The test's own scratch folder has a dot in its name, which would count as the
        // extension of every name in it: the files go into a folder named without one.
        namespace fs = std::filesystem;
        fs::path relativeFolder = fs::path("test-files") /
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::error_code ignored;  // read-only leftovers of an earlier run must go too
        if (fs::exists(relativeFolder))
            for (const auto& entry : fs::recursive_directory_iterator(relativeFolder))
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add,
                                ignored);
        fs::remove_all(relativeFolder, ignored);
        fs::create_directories(relativeFolder);
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(relativeFolder.string().c_str(), MAX_PATH, full, nullptr);
        folder.assign(full, length).append("\\");
    }
    void TearDown() override {
        // The file dialogs move the current directory; the scratch folders are relative.
        SetCurrentDirectoryA(startDirectory);
        EditorTest::TearDown();
    }

    std::string FullPath(const std::string& leaf) const { return folder + leaf; }
    bool FolderEmpty() { return std::filesystem::is_empty(folder); }

    // A dictionary shown as after New: in the library, in the form, unsaved.
    void ShowNewDictionary() {
        OpenThreeByThree();
        RefillList(main);
        editorState.isModified = 1;
    }
    void AddEntry(const char* source, const char* target) {
        FillForm(source, target, 1, true, 1);
        Command(IDM_CREATE_ENTRY);
    }
    // A dictionary file with these entries, made while the library holds none.
    std::string MakeFile(const std::string& leaf,
                         const std::vector<std::pair<const char*, const char*>>& entries) {
        EXPECT_EQ(0, zevIsOpen());
        EXPECT_EQ(1, zevCreateDic("共通語", "土佐弁", 2, 1));
        zevSetLevelAndType("普通", 1, "名詞", 1);
        zevSetLevelAndType("強い", 2, nullptr, 0);
        for (auto& entry : entries) EXPECT_NE(0, zevCreateData(entry.first, 1, 1, 0, entry.second));
        std::string path = FullPath(leaf);
        EXPECT_EQ(1, zevSaveDic(path.c_str()));
        zevCloseDic();
        return path;
    }

    // Answers the next message box with `button` and records it.
    MessageBoxSeen& ExpectAnswer(int button) {
        answers.emplace_back();
        harness->ExpectMessageBox(button, &answers.back());
        return answers.back();
    }
    void ExpectSaveChangesQuestion(const MessageBoxSeen& seen) {
        EXPECT_EQ("方言辞書エディタ", seen.caption);
        EXPECT_EQ(kSaveChanges, seen.text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), seen.icon);
        EXPECT_EQ((std::vector<int>{IDCANCEL, IDYES, IDNO}), seen.buttons);
    }

    void SaveAs(const std::string& path, FileDialogSeen* seen = nullptr) {
        harness->ExpectFileDialog(path.c_str(), seen);
        Command(IDM_SAVE_AS);
    }
    bool Close() {
        SendMessageA(main, WM_CLOSE, 0, 0);
        return !IsWindow(main);
    }
    std::string FileText(const std::string& path) {
        std::vector<uint8_t> bytes = testfiles::Read(path);
        return std::string(bytes.begin(), bytes.end());
    }
    // The dictionary file holds an entry with this source string.
    bool FileHolds(const std::string& path, const std::string& source) {
        return FileText(path).find(source) != std::string::npos;
    }

    char startDirectory[MAX_PATH] = "";
    std::string folder;  // full path, ends in a backslash
    std::deque<MessageBoxSeen> answers;
};

TEST(GetFileExtensionTest, FindsTheTextAfterTheLastDotOfTheWholePath) {
    struct Case {
        const char* name;
        const char* extension;  // null: none
    } cases[] = {
        {"", nullptr},
        {"C:\\dic\\sample", nullptr},
        {"C:\\dic\\sample.", nullptr},
        {"sample.txt", "txt"},
        {"C:\\dic\\a.b.zev", "zev"},
        {"C:\\dic.old\\sample", "old\\sample"},  // the walk does not stop at a folder
        {"C:\\表\\ソ", nullptr},                 // trail bytes 0x5C
        {"C:\\表\\ソ.表", "表"},
        {".zev", "zev"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char extension[32] = "untouched";
        bool found = GetFileExtension(c.name, extension, sizeof extension);
        EXPECT_EQ(c.extension != nullptr, found);
        EXPECT_EQ(c.extension ? c.extension : "untouched", std::string(extension));
    }
    // A long extension is cut to the buffer, never past it.
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(GetFileExtension("a.abcdef", small, sizeof small));
    EXPECT_EQ("abc", std::string(small));
}

TEST_F(FileCommandsTest, SaveAsAddsZevOnlyToANameWithoutExtension) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");
    ASSERT_TRUE(CreateDirectoryA(FullPath("dic.old").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(FullPath("表").c_str(), nullptr));
    struct Case {
        std::string typed;
        std::string written;
        std::string title;
    } cases[] = {
        {FullPath("sample"), FullPath("sample.zev"), "sample.zev"},
        {FullPath("sample.txt"), FullPath("sample.txt"), "sample.txt"},
        {FullPath("sample."), FullPath("sample..zev"), "sample..zev"},
        {FullPath("dic.old\\sample"), FullPath("dic.old\\sample"), "sample"},
        {FullPath("表\\ソ"), FullPath("表\\ソ.zev"), "ソ.zev"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editorState.isModified = 1;
        FileDialogSeen seen;
        SaveAs(c.typed, &seen);
        EXPECT_EQ("名前を付けて保存", seen.title);
        EXPECT_EQ(std::vector<std::string>{"方言辞書ファイル (*.zev)"}, seen.filters);
        EXPECT_FALSE(seen.readOnlyShown);
        EXPECT_EQ(1, zevIsZevFormat(c.written.c_str()));
        EXPECT_TRUE(FileHolds(c.written, "おおきに"));
        EXPECT_EQ(c.written, editorState.currentFileName);
        EXPECT_EQ(0, editorState.isModified);
        EXPECT_EQ(c.title + " - 方言辞書エディタ", Caption());
    }
    EXPECT_FALSE(testfiles::Exists(FullPath("sample.txt.zev")));
    EXPECT_FALSE(testfiles::Exists(FullPath("dic.old\\sample.zev")));
    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ(1, RowCount());
}

TEST_F(FileCommandsTest, SaveOnANeverSavedDictionaryAsksForANameThenWritesStraight) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");

    FileDialogSeen seen;
    harness->ExpectFileDialog(nullptr, &seen);
    Command(IDM_SAVE);
    EXPECT_EQ("名前を付けて保存", seen.title);
    EXPECT_EQ("", seen.fileName);
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_TRUE(FolderEmpty());

    std::string path = FullPath("kansai");
    harness->ExpectFileDialog(path.c_str());
    Command(IDM_SAVE);
    path += ".zev";
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());

    // From now on Save writes to the file without a dialog or a question.
    AddEntry("本当に", "ほんまに");
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());
    EXPECT_FALSE(FileHolds(path, "ほんまに"));
    Command(IDM_SAVE);
    EXPECT_TRUE(FileHolds(path, "ほんまに"));
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());

    // A file deleted meanwhile makes Save ask for a name again.
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    AddEntry("だめ", "あかん");
    harness->ExpectFileDialog(nullptr, &seen);
    Command(IDM_SAVE);
    EXPECT_EQ("kansai.zev", seen.fileName);
    EXPECT_FALSE(testfiles::Exists(path));
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(1, editorState.isModified);
}

TEST_F(FileCommandsTest, OverwritingAnExistingFileNeedsAYes) {
    std::string path = FullPath("既存.zev");
    testfiles::Write(path, {'o', 'l', 'd'});
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");

    harness->ExpectFileDialog(path.c_str());
    MessageBoxSeen& no = ExpectAnswer(IDNO);
    Command(IDM_SAVE_AS);
    EXPECT_EQ("方言辞書エディタ", no.caption);
    EXPECT_EQ(path + kOverwrite, no.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), no.icon);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), no.buttons);
    EXPECT_EQ("old", FileText(path));
    EXPECT_EQ("", std::string(editorState.currentFileName));
    EXPECT_EQ(1, editorState.isModified);

    harness->ExpectFileDialog(path.c_str());
    ExpectAnswer(IDYES);
    Command(IDM_SAVE_AS);
    EXPECT_TRUE(FileHolds(path, "おおきに"));
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(0, editorState.isModified);
}

// The longest path the system allows, 259 characters, has at most 518 bytes. This one has
// 513, and its 512th byte is the first half of a character: the question stops before it.
TEST_F(FileCommandsTest, TheOverwriteQuestionCutsALongerPathBeforeAWholeCharacter) {
    std::string folderName, fileName;
    for (int i = 0; i < 127; ++i) folderName += "Ж";
    for (int i = 0; i < 125; ++i) fileName += "Ж";
    std::string root = "C:\\" + folderName;  // the shortest start a full path has
    std::string path = root + "\\" + fileName + ".ЖЖ";
    ASSERT_EQ(513u, path.size());
    CreateDirectoryA(root.c_str(), nullptr);
    testfiles::Write(path, {'o', 'l', 'd'});
    ShowNewDictionary();

    harness->ExpectFileDialog(path.c_str());
    MessageBoxSeen& seen = ExpectAnswer(IDNO);
    Command(IDM_SAVE_AS);
    EXPECT_EQ(path.substr(0, 511) + kOverwrite, seen.text);
    EXPECT_EQ("old", FileText(path));
    // The file dialog may have made the folder the current directory, which cannot be removed,
    // and its folder view may hold the folder open a little longer (a sharing violation).
    SetCurrentDirectoryA(startDirectory);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    DWORD error = 0;
    for (int attempt = 0; attempt < 40 && !RemoveDirectoryA(root.c_str()); ++attempt) {
        error = GetLastError();
        Pump();
        Sleep(50);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(root.c_str())) << "error " << error;
}

TEST_F(FileCommandsTest, ReadOnlyFilesAreRefusedBySaveAsSaveAndClosing) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    ASSERT_EQ(0, editorState.isModified);
    std::string saved = FileText(path);
    testfiles::SetReadOnly(path, true);

    AddEntry("本当に", "ほんまに");
    ExpectWarning(kReadOnly);
    Command(IDM_SAVE);
    CheckBoxes();
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());

    harness->ExpectFileDialog(path.c_str());
    ExpectAnswer(IDYES);  // replace it?
    ExpectWarning(kReadOnly);
    Command(IDM_SAVE_AS);
    CheckBoxes();
    EXPECT_EQ(1, editorState.isModified);

    // Closing: Yes saves straight to the file, which refuses; the window stays.
    MessageBoxSeen& question = ExpectAnswer(IDYES);
    ExpectWarning(kReadOnly);
    EXPECT_FALSE(Close());
    CheckBoxes();
    ExpectSaveChangesQuestion(question);
    EXPECT_EQ(saved, FileText(path));
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ(1, zevIsOpen());
    testfiles::SetReadOnly(path, false);
}

TEST_F(FileCommandsTest, AFailedWriteIsReportedAndKeepsTheChanges) {
    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    AddEntry("ありがとう", "おおきに");
    // Another reader holds the file without sharing it for writing.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);

    ExpectWarning(kSaveFailed);
    Command(IDM_SAVE);
    CheckBoxes();
    EXPECT_EQ(1, editorState.isModified);

    ExpectAnswer(IDYES);
    ExpectWarning(kSaveFailed);
    EXPECT_FALSE(Close());
    CheckBoxes();
    EXPECT_EQ(1, editorState.isModified);

    CloseHandle(holder);
    ExpectAnswer(IDYES);
    EXPECT_TRUE(Close());
    EXPECT_TRUE(FileHolds(path, "おおきに"));
}

TEST_F(FileCommandsTest, ClosingCancelKeepsTheWindowAndYesSavesWithoutADialog) {
    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    AddEntry("ありがとう", "おおきに");

    // A refused close leaves the window as it was, also with boss mode armed.
    Command(IDM_BOSS_MODE);
    const std::string caption = Caption();
    MessageBoxSeen& cancel = ExpectAnswer(IDCANCEL);
    EXPECT_FALSE(Close());
    EXPECT_FALSE(Pump());
    ExpectSaveChangesQuestion(cancel);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(caption, Caption());
    EXPECT_EQ(0, editorState.bossModeActive);
    EXPECT_FALSE(FileHolds(path, "おおきに"));
    EXPECT_EQ(1, editorState.isModified);

    ExpectAnswer(IDYES);
    EXPECT_TRUE(Close());
    EXPECT_TRUE(FileHolds(path, "おおきに"));
    EXPECT_TRUE(Pump());  // the program's loop ends
}

TEST_F(FileCommandsTest, ClosingANeverSavedDictionaryAsksForAName) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");

    ExpectAnswer(IDYES);
    harness->ExpectFileDialog(nullptr);
    EXPECT_FALSE(Close());  // the name was not given
    EXPECT_EQ(1, editorState.isModified);

    ExpectAnswer(IDYES);
    std::string path = FullPath("new");
    harness->ExpectFileDialog(path.c_str());
    EXPECT_TRUE(Close());
    EXPECT_TRUE(FileHolds(path + ".zev", "おおきに"));
}

TEST_F(FileCommandsTest, OpenShowsTheDictionaryAndClearsTheForm) {
    std::string path =
        MakeFile("tosa.zev", {{"ありがとう", "ありがとうございます"}, {"だめ", "いかん"}});
    FileDialogSeen seen;
    harness->ExpectFileDialog(path.c_str(), &seen);
    SetDlgItemTextA(main, IDC_SOURCE, "書きかけ");
    Command(IDM_OPEN);
    EXPECT_EQ("開く", seen.title);
    EXPECT_EQ("", seen.fileName);
    EXPECT_EQ((std::vector<std::string>{"方言辞書ファイル (*.zev)", "すべてのファイル (*.*)"}),
              seen.filters);
    EXPECT_FALSE(seen.readOnlyShown);

    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("tosa.zev - 方言辞書エディタ", Caption());
    EXPECT_EQ((std::vector<std::string>{"00001", "00002"}), FirstColumn());
    EXPECT_EQ("いかん", Cell(1, 2));
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ(GetDlgItem(main, IDC_SOURCE), GetFocus());
    EXPECT_EQ("普通(&1)", ItemText(IDC_LEVEL1));
    EXPECT_TRUE(Enabled(IDC_LEVEL1 + 1));
    EXPECT_FALSE(Enabled(IDC_LEVEL1 + 2));
    EXPECT_EQ("名詞", ItemText(IDC_TYPE1));
    EXPECT_FALSE(MenuGrayed(IDM_SAVE));

    // The next Open starts from the current file; cancelling it asks nothing.
    harness->ExpectFileDialog(nullptr, &seen);
    Command(IDM_OPEN);
    EXPECT_EQ("tosa.zev", seen.fileName);
    EXPECT_EQ(2, RowCount());
}

TEST_F(FileCommandsTest, OpenAsksAboutUnsavedChangesAfterTheFileIsChosen) {
    std::string other = MakeFile("tosa.zev", {{"だめ", "いかん"}});
    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    AddEntry("ありがとう", "おおきに");

    // Cancel at the question: nothing changes.
    harness->ExpectFileDialog(other.c_str());
    MessageBoxSeen& cancel = ExpectAnswer(IDCANCEL);
    Command(IDM_OPEN);
    ExpectSaveChangesQuestion(cancel);
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("ありがとう", Cell(0, 1));

    // Yes runs Save As even though the dictionary has a file; cancelling it cancels Open.
    harness->ExpectFileDialog(other.c_str());
    ExpectAnswer(IDYES);
    FileDialogSeen seen;
    harness->ExpectFileDialog(nullptr, &seen);
    Command(IDM_OPEN);
    EXPECT_EQ("名前を付けて保存", seen.title);
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_FALSE(FileHolds(path, "おおきに"));

    // Yes and a name: saved there, then the other dictionary is opened.
    std::string copy = FullPath("copy.zev");
    harness->ExpectFileDialog(other.c_str());
    ExpectAnswer(IDYES);
    harness->ExpectFileDialog(copy.c_str());
    Command(IDM_OPEN);
    EXPECT_TRUE(FileHolds(copy, "おおきに"));
    EXPECT_EQ(other, editorState.currentFileName);
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("いかん", Cell(0, 2));

    // No: the changes are dropped.
    AddEntry("本当に", "ほんまに");
    harness->ExpectFileDialog(path.c_str());
    ExpectAnswer(IDNO);
    Command(IDM_OPEN);
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ(0, RowCount());  // kansai.zev was saved before its entry
    EXPECT_FALSE(FileHolds(other, "ほんまに"));
}

TEST_F(FileCommandsTest, MissingAndForeignFilesLeaveEverythingAsItWas) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");
    std::string foreign = FullPath("foreign.zev");
    testfiles::Write(foreign, std::vector<uint8_t>(100, 'x'));

    harness->ExpectFileDialog(FullPath("nothing.zev").c_str());
    ExpectAnswer(IDNO);
    ExpectWarning("指定されたファイルは存在しません。");
    Command(IDM_OPEN);
    harness->ExpectFileDialog(foreign.c_str());
    ExpectAnswer(IDNO);
    ExpectWarning("不明な形式のファイルであるため、開くことができません。");
    Command(IDM_OPEN);
    CheckBoxes();

    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ(1, RowCount());
    EXPECT_EQ(1, zevGetDataCount());
    EXPECT_FALSE(testfiles::Exists(FullPath("nothing.zev")));
}

// The library can refuse a file that passes the format test (one cut off inside its
// footer). The old dictionary is closed by then, so the window must not go on showing it.
TEST_F(FileCommandsTest, AnOpenThatTheLibraryFailsLeavesNoDictionaryBehind) {
    std::string cut = MakeFile("cut.zev", {{"だめ", "いかん"}});
    std::vector<uint8_t> bytes = testfiles::Read(cut);
    bytes.resize(bytes.size() - 6);
    testfiles::Write(cut, bytes);
    ASSERT_EQ(1, zevIsZevFormat(cut.c_str()));

    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    AddEntry("ありがとう", "おおきに");
    FillForm("書きかけ", "途中", 3, false, 0x06);

    harness->ExpectFileDialog(cut.c_str());
    ExpectAnswer(IDNO);
    MessageBoxSeen& failure = ExpectAnswer(IDOK);
    Command(IDM_OPEN);
    EXPECT_EQ("方言辞書エディタ", failure.caption);
    EXPECT_EQ("ﾌｧｲﾙのｵｰﾌﾟﾝ処理で異常終了を検出しました。\nﾌｫｰﾏｯﾄが無効です。", failure.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), failure.icon);

    EXPECT_EQ(0, zevIsOpen());
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ("", std::string(editorState.currentFileName));
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ("", ItemText(IDC_TARGET));
    EXPECT_EQ(1, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_EQ(0, CheckedTypes());
    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(Enabled(IDC_LEVEL1 + k)) << k;
        EXPECT_FALSE(Enabled(IDC_TYPE1 + k)) << k;
        EXPECT_EQ("", ItemText(IDC_LEVEL1 + k)) << k;
        EXPECT_EQ("", ItemText(IDC_TYPE1 + k)) << k;
    }
    for (int id : {IDM_SAVE, IDM_SAVE_AS, IDM_CREATE_ENTRY, IDM_EXPORT_TEXT})
        EXPECT_TRUE(MenuGrayed(id)) << id;

    // Nothing is left to save, and the window closes without a question.
    EXPECT_TRUE(Close());
}

}  // namespace

namespace {

const char kNewDictionaryCaption[] = "方言辞書の新規作成";

class NewDictionaryCommandTest : public FileCommandsTest {
protected:
    // The new-dictionary dialog comes next: two levels, two types, then OK or Cancel.
    void ExpectNewDictionaryDialog(bool confirm) {
        harness->ExpectDialog(kNewDictionaryCaption, [confirm](HWND d) {
            if (!confirm) {
                dialog::Press(d, IDC_NEW_CANCEL);
                return;
            }
            dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, "共通語");
            dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "土佐弁");
            dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
            dialog::SetItemText(d, IDC_NEW_LEVEL_NAME1, "普通");
            dialog::SetItemText(d, IDC_NEW_LEVEL_NAME2, "強い");
            dialog::SetItemText(d, IDC_NEW_TYPE_COUNT, "2");
            dialog::SetItemText(d, IDC_NEW_TYPE_NAME1, "名詞");
            dialog::SetItemText(d, IDC_NEW_TYPE_NAME2, "動詞");
            dialog::SetItemText(d, IDC_NEW_COMMENT, "土佐の言葉");
            dialog::SetItemText(d, IDC_NEW_YEAR, "2024");
            dialog::SetItemText(d, IDC_NEW_HOLDER, "高知方言研究会");
            dialog::Press(d, IDC_NEW_OK);
        });
    }
    std::string BeforeName() {
        char name[256] = {};
        zevGetBeforeName(name);
        return name;
    }
};

TEST_F(NewDictionaryCommandTest, NewSetsUpTheFormForTheNewDictionary) {
    FillForm("書きかけ", "途中", 1, false, 0);
    ExpectNewDictionaryDialog(true);
    Command(IDM_NEW);

    EXPECT_EQ("共通語", BeforeName());
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("", std::string(editorState.currentFileName));
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ("", ItemText(IDC_TARGET));
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_EQ(GetDlgItem(main, IDC_SOURCE), GetFocus());
    EXPECT_EQ("強い(&2)", ItemText(IDC_LEVEL1 + 1));
    EXPECT_TRUE(Enabled(IDC_LEVEL1 + 1));
    EXPECT_FALSE(Enabled(IDC_LEVEL1 + 2));
    EXPECT_EQ("動詞", ItemText(IDC_TYPE1 + 1));
    EXPECT_FALSE(Enabled(IDC_TYPE1 + 2));
    EXPECT_FALSE(MenuGrayed(IDM_SAVE));
    EXPECT_FALSE(MenuGrayed(IDM_CREATE_ENTRY));

    // Entries go into the new dictionary.
    AddEntry("ありがとう", "ありがとうございます");
    EXPECT_EQ("00001", Cell(0, 0));
}

TEST_F(NewDictionaryCommandTest, NewCancelledAnywhereLeavesTheOldDictionary) {
    std::string path = MakeFile("kansai.zev", {{"だめ", "あかん"}});
    harness->ExpectFileDialog(path.c_str());
    Command(IDM_OPEN);
    AddEntry("ありがとう", "おおきに");
    const char* title = "kansai.zev * - 方言辞書エディタ";
    ASSERT_EQ(title, Caption());

    // Cancel at the question: no dialog at all.
    MessageBoxSeen& cancel = ExpectAnswer(IDCANCEL);
    Command(IDM_NEW);
    ExpectSaveChangesQuestion(cancel);

    // Yes, then Save As cancelled: New ends.
    ExpectAnswer(IDYES);
    harness->ExpectFileDialog(nullptr);
    Command(IDM_NEW);

    // No, then Cancel in the dialog.
    ExpectAnswer(IDNO);
    ExpectNewDictionaryDialog(false);
    Command(IDM_NEW);

    EXPECT_EQ(title, Caption());
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ(path, editorState.currentFileName);
    EXPECT_EQ(2, RowCount());
    EXPECT_EQ(2, zevGetDataCount());
    EXPECT_EQ("共通語", BeforeName());

    // Yes and a name: saved, and the new dictionary follows.
    std::string copy = FullPath("copy.zev");
    ExpectAnswer(IDYES);
    harness->ExpectFileDialog(copy.c_str());
    ExpectNewDictionaryDialog(true);
    Command(IDM_NEW);
    EXPECT_TRUE(FileHolds(copy, "おおきに"));
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ("", std::string(editorState.currentFileName));
    EXPECT_EQ(1, editorState.isModified);
}

// New, entries through the form, Save As, close; a second run opens the file, edits the
// footer and saves; the library reads the result back.
TEST_F(NewDictionaryCommandTest, AWholeLife) {
    ExpectNewDictionaryDialog(true);
    Command(IDM_NEW);
    FillForm("ありがとう", "ありがとうございます", 1, true, 0x01);
    Command(IDM_CREATE_ENTRY);
    FillForm("だめ", "いかん", 2, false, 0x03);
    Command(IDM_CREATE_ENTRY);
    FillForm("とても", "まっこと", 1, true, 0x02);
    Command(IDM_CREATE_ENTRY);
    ASSERT_EQ(3, RowCount());

    std::string path = FullPath("tosa.zev");
    SaveAs(FullPath("tosa"));
    EXPECT_EQ("tosa.zev - 方言辞書エディタ", Caption());
    EXPECT_TRUE(Close());  // nothing unsaved: no question
    EXPECT_TRUE(Pump());   // the program's loop ends

    // The process ends, and with it the library's dictionary; the next run starts empty.
    zevCloseDic();
    ResetEditorState();
    main = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, main);
    list = GetDlgItem(main, IDC_ENTRY_LIST);
    harness->Ignore(main);
    SetForegroundWindow(main);

    harness->ExpectFileDialog(path.c_str());
    Command(IDM_OPEN);
    EXPECT_EQ((std::vector<std::string>{"00001", "00002", "00003"}), FirstColumn());
    EXPECT_EQ((std::vector<std::string>{"00002", "だめ", "いかん", "強い", "OR"}), Row(1));
    EXPECT_EQ("tosa.zev - 方言辞書エディタ", Caption());

    // The footer through the copyright and version dialog: saved there, then closed.
    harness->ExpectDialog("辞書の著作権とバージョン", [](HWND d) {
        dialog::SetItemText(d, IDC_VERSION_MAJOR, "1");
        dialog::SetItemText(d, IDC_VERSION_MINOR, "2");
        dialog::SetItemText(d, IDC_VERSION_REVISION, "3");
        dialog::SetItemText(d, IDC_FOOTER_COMMENT, "改訂版");
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, "2025");
        dialog::Press(d, IDC_SAVE_FOOTER);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    harness->ExpectMessageBox(IDOK);  // update the footer?
    Command(IDM_COPYRIGHT_VERSION);
    EXPECT_EQ("tosa.zev * - 方言辞書エディタ", Caption());
    Command(IDM_SAVE);
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("tosa.zev - 方言辞書エディタ", Caption());
    EXPECT_TRUE(Close());

    zevCloseDic();
    ASSERT_EQ(1, zevIsZevFormat(path.c_str()));
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    char before[256] = {}, after[256] = {}, name[256] = {};
    zevGetBeforeName(before);
    zevGetAfterName(after);
    EXPECT_STREQ("共通語", before);
    EXPECT_STREQ("土佐弁", after);
    ASSERT_EQ(2, zevGetLevelCount());
    ASSERT_EQ(2, zevGetTypeCount());
    zevGetLevelName(2, name);
    EXPECT_STREQ("強い", name);
    zevGetTypeName(2, name);
    EXPECT_STREQ("動詞", name);
    ASSERT_EQ(3, zevGetDataCount());
    EXPECT_EQ((TableEntry{"だめ", "いかん", 2, 0x03, 0}), ReadEntry(2));
    TableEntry third = ReadEntry(3);
    EXPECT_EQ("まっこと", third.target);
    EXPECT_EQ(1, third.condition);
    BYTE major = 0, minor = 0, revision = 0;
    uint16_t year = 0;
    char comment[256] = {}, holder[256] = {};
    ASSERT_EQ(1, zevGetFooter(&major, &minor, &revision, comment, &year, holder));
    EXPECT_EQ(1, major);
    EXPECT_EQ(2, minor);
    EXPECT_EQ(3, revision);
    EXPECT_STREQ("改訂版", comment);
    EXPECT_EQ(2025, year);  // the holder given to New stays
    EXPECT_STREQ("高知方言研究会", holder);
}

}  // namespace
