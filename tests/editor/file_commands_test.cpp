// The file commands through the real common file dialogs: Open, Save, Save As, closing
// with unsaved changes, and the extension rule.
#include "editor_fixture.h"

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
        // extension of every name in it: the files go into a subfolder named without one.
        folder = startDirectory;
        folder += "\\test-files\\";
        folder += ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder += "\\";
        RemoveFolder(folder);
        RemoveDirectoryA(folder.c_str());
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    void TearDown() override {
        // The file dialogs move the current directory; the scratch folders are relative.
        SetCurrentDirectoryA(startDirectory);
        EditorTest::TearDown();
    }

    std::string FullPath(const std::string& leaf) const { return folder + leaf; }
    std::vector<std::string> FolderContents() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (lstrcmpA(found.cFileName, ".") && lstrcmpA(found.cFileName, ".."))
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    // Empties a folder left by an earlier run, read-only files included.
    static void RemoveFolder(const std::string& path) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(full + "\\");
                RemoveDirectoryA(full.c_str());
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

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
    std::string folder;  // ends in a backslash
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
    EXPECT_TRUE(FolderContents().empty());

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

TEST_F(FileCommandsTest, TheOverwriteQuestionShowsALongPathWhole) {
    // Longer than the 256 bytes another of the system's questions allows, within 512.
    std::string leaf;
    for (int i = 0; i < 9; ++i) leaf += "長い名前のフォルダ";
    std::string nested = FullPath(leaf);
    ASSERT_TRUE(CreateDirectoryA(nested.c_str(), nullptr));
    std::string path = nested + "\\既存の辞書ファイル.zev";
    ASSERT_GT(path.size(), 256u);
    ASSERT_LT(path.size(), 512u);
    testfiles::Write(path, {'o', 'l', 'd'});
    ShowNewDictionary();

    harness->ExpectFileDialog(path.c_str());
    MessageBoxSeen& seen = ExpectAnswer(IDNO);
    Command(IDM_SAVE_AS);
    EXPECT_EQ(path + kOverwrite, seen.text);
    EXPECT_EQ("old", FileText(path));
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
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    EXPECT_TRUE(RemoveDirectoryA(root.c_str()));
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

TEST_F(FileCommandsTest, ClosingWithNothingUnsavedAsksNothing) {
    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    EXPECT_TRUE(testfiles::Exists(path));

    // Nothing unsaved: no question.
    EXPECT_TRUE(Close());
}

TEST_F(FileCommandsTest, ClosingCancelKeepsTheWindowAndYesSavesWithoutADialog) {
    ShowNewDictionary();
    std::string path = FullPath("kansai.zev");
    SaveAs(path);
    AddEntry("ありがとう", "おおきに");

    MessageBoxSeen& cancel = ExpectAnswer(IDCANCEL);
    EXPECT_FALSE(Close());
    ExpectSaveChangesQuestion(cancel);
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

TEST_F(FileCommandsTest, ClosingWithNoDiscardsTheChanges) {
    ShowNewDictionary();
    AddEntry("ありがとう", "おおきに");
    ExpectAnswer(IDNO);
    EXPECT_TRUE(Close());
    EXPECT_TRUE(FolderContents().empty());
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
