// The main window: start-up state, layout, title, the command table, accelerators,
// always-on-top, boss mode and closing.
#include "editor_fixture.h"
#include "help_seam.h"

#include <tlhelp32.h>

#include <functional>

namespace {

using MainWindowTest = EditorTest;

const int kDictionaryCommands[] = {40007, 40008, 40018, 40010, 40011, 40031, 40027,
                                   40028, 40029, 40004, 40019, 40014, 40013};
const int kAlwaysAvailable[] = {40003, 40006, 40009, 40012, 40020, 40030, 40021, 40016, 40017};

TEST_F(MainWindowTest, StartsEmptyWithoutDictionary) {
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(0, RowCount());

    const char* columns[] = {"ｲﾝﾃﾞｯｸｽ", "変換元文字列", "変換先文字列", "変換レベル", "条件"};
    const int widths[] = {60, 100, 100, 100, 50};
    for (int i = 0; i < 5; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(columns[i], std::string(text));
        EXPECT_EQ(widths[i], column.cx);
    }
    EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 5, 0));
    EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);

    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(Enabled(IDC_LEVEL1 + k)) << k;
        EXPECT_FALSE(Enabled(IDC_TYPE1 + k)) << k;
    }
    EXPECT_EQ(1, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_FALSE(Checked(IDC_OR));
    for (int id : kDictionaryCommands) EXPECT_TRUE(MenuGrayed(id)) << id;
    for (int id : kAlwaysAvailable) EXPECT_FALSE(MenuGrayed(id)) << id;

    EXPECT_EQ(5, SendDlgItemMessageA(main, IDC_INDEX, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(255, SendDlgItemMessageA(main, IDC_SOURCE, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(255, SendDlgItemMessageA(main, IDC_TARGET, EM_GETLIMITTEXT, 0, 0));

    char directory[512];
    GetCurrentDirectoryA(sizeof directory, directory);
    EXPECT_EQ(std::string(directory) + "\\Zevedit.hlp", editorState.helpFilePath);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(editorState.mainIcon),
              GetClassLongPtrA(main, GCLP_HICON));
    EXPECT_NE(nullptr, editorState.mainIcon);
    EXPECT_NE(nullptr, editorState.bossIcon);
    EXPECT_NE(editorState.mainIcon, editorState.bossIcon);
}

// Client-area position of a control.
POINT Position(HWND main, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(main, id), &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(main, &corner);
    return corner;
}

SIZE Size(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void ExpectLayout(HWND main) {
    RECT client;
    GetClientRect(main, &client);
    const int w = client.right, h = client.bottom;
    SIZE listSize = Size(GetDlgItem(main, IDC_ENTRY_LIST));
    EXPECT_EQ(w - 392, listSize.cx);
    EXPECT_EQ(h - 6, listSize.cy);
    struct Place {
        int id, x, y;
    };
    std::vector<Place> places = {
        {IDC_INDEX_LABEL, w - 375, 9},   {IDC_SOURCE_LABEL, w - 375, 39},
        {IDC_TARGET_LABEL, w - 375, 69}, {IDC_INDEX, w - 284, 6},
        {IDC_SOURCE, w - 284, 36},       {IDC_TARGET, w - 284, 66},
        {IDC_LEVEL_GROUP, w - 382, 108}, {IDC_TYPE_GROUP, w - 189, 108},
        {IDC_AND, w - 181, 126},         {IDC_OR, w - 111, 126},
    };
    for (int k = 0; k < 8; ++k) {
        places.push_back({IDC_LEVEL1 + k, w - 371, 147 + 18 * k});
        places.push_back({IDC_TYPE1 + k, w - 181, 147 + 18 * k});
    }
    for (const Place& place : places) {
        POINT at = Position(main, place.id);
        EXPECT_EQ(place.x, at.x) << "control " << place.id << " at width " << w;
        EXPECT_EQ(place.y, at.y) << "control " << place.id;
    }
}

TEST_F(MainWindowTest, OnlyTheListGrowsWithTheWindow) {
    SIZE source = Size(GetDlgItem(main, IDC_SOURCE));
    ExpectLayout(main);
    SetWindowPos(main, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    ExpectLayout(main);
    SetWindowPos(main, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    ExpectLayout(main);
    SIZE after = Size(GetDlgItem(main, IDC_SOURCE));
    EXPECT_EQ(source.cx, after.cx);
    EXPECT_EQ(source.cy, after.cy);
}

TEST_F(MainWindowTest, RefusesToShrinkBelowTheMinimum) {
    SetWindowPos(main, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    SIZE size = Size(main);
    EXPECT_EQ(450, size.cx);
    EXPECT_EQ(346, size.cy);
    SetWindowPos(main, nullptr, 0, 0, 451, 347, SWP_NOMOVE | SWP_NOZORDER);
    size = Size(main);
    EXPECT_EQ(451, size.cx);
    EXPECT_EQ(347, size.cy);
    ExpectLayout(main);
}

TEST_F(MainWindowTest, TitleShowsFileTitleAndModifiedMark) {
    UpdateTitle(main, "", 1);
    EXPECT_EQ("方言辞書エディタ", Caption());
    UpdateTitle(main, "C:\\辞書\\関西.zev", 0);
    EXPECT_EQ("関西.zev - 方言辞書エディタ", Caption());
    UpdateTitle(main, "C:\\辞書\\関西.zev", 1);
    EXPECT_EQ("関西.zev * - 方言辞書エディタ", Caption());
    // 表 ends in the byte 0x5C, which is no folder separator.
    UpdateTitle(main, "C:\\表\\表.zev", 1);
    EXPECT_EQ("表.zev * - 方言辞書エディタ", Caption());
}

TEST_F(MainWindowTest, CommandsRefreshTheTitleOrLeaveIt) {
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    editorState.isModified = 1;
    const char* refreshed = "kansai.zev * - 方言辞書エディタ";

    // New asks about the unsaved changes (Cancel ends it); Open, Save As and Save (the file
    // is not there) show their file dialogs, which are cancelled; Create and Update with an
    // empty form warn. The title is refreshed all the same.
    harness->ExpectMessageBox(IDCANCEL);
    for (int i = 0; i < 3; ++i) harness->ExpectFileDialog(nullptr);
    // Duplicate removal reports.
    ExpectBox("重複したデータは存在しません。", MB_ICONASTERISK);
    ExpectWarning("変換元文字列を入力してください。");
    ExpectWarning("更新対象となるデータを選択してください。");
    // The copyright dialog, closed without saving.
    harness->ExpectDialog("辞書の著作権とバージョン",
                          [](HWND d) { dialog::Press(d, IDC_FOOTER_OK); });
    const int refreshing[] = {40003, 40006, 40007, 40008, 40031, 40027,
                              40028, 40029, 40004, 40019, 40013};
    for (int id : refreshing) {
        SetWindowTextA(main, "old");
        Command(id);
        EXPECT_EQ(refreshed, Caption()) << id;
    }
    CheckBoxes();

    ExpectWarning("テキストに出力する変換データが存在しません。");  // the text export
    // The header and about dialogs, closed at once.
    harness->ExpectDialog("ヘッダー情報", [](HWND d) { dialog::Press(d, IDC_HEADER_OK); });
    harness->ExpectDialog("バージョン情報", [](HWND d) { dialog::Press(d, IDC_ABOUT_OK); });
    const int leaving[] = {2, 40018, 40012, 40010, 40011, 40014, 40020, 40030, 40021, 40017, 9999};
    for (int id : leaving) {
        SetWindowTextA(main, "old");
        Command(id);
        EXPECT_EQ("old", Caption()) << id;
    }
    CheckBoxes();
    Pump();
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheLoop) {
    editorState.isModified = 1;
    harness->ExpectMessageBox(IDNO);  // unsaved changes: dropped
    Command(IDM_EXIT);
    EXPECT_TRUE(IsWindow(main));  // Exit only posts the close request
    EXPECT_TRUE(Pump());
    EXPECT_EQ(0, quitCode);
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(MainWindowTest, GrayedCommandsIgnoreTheirAccelerators) {
    OpenDictionary({"弱"}, {"名詞", "動詞", "副詞"});
    PressKey(list, 'T', VK_CONTROL);
    EXPECT_EQ(0x07, CheckedTypes());  // types 1-3 only
    PressKey(list, 'K', VK_CONTROL);
    EXPECT_EQ(0x00, CheckedTypes());

    // Without a dictionary the same keys do nothing.
    ConfigureForm(main, kFormNoDictionary);
    CheckDlgButton(main, IDC_TYPE1, BST_CHECKED);
    PressKey(list, 'K', VK_CONTROL);
    EXPECT_EQ(0x01, CheckedTypes());
    FillForm("あ", "い", 1, true, 1);
    PressKey(list, VK_RETURN, VK_MENU);  // create: grayed, so no abnormal-end box
    EXPECT_EQ(0, RowCount());

    // Clearing all input stays available.
    SetDlgItemTextA(main, IDC_SOURCE, "あいう");
    PressKey(list, VK_BACK, VK_MENU);
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(MainWindowTest, AlwaysOnTopToggles) {
    auto topmost = [&] { return (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    auto checked = [&] {
        return (GetMenuState(GetMenu(main), IDM_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(topmost());
    Command(IDM_ALWAYS_ON_TOP);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(checked());
    EXPECT_EQ(1, IsAlwaysOnTop());
    Command(IDM_ALWAYS_ON_TOP);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(checked());
    EXPECT_EQ(0, IsAlwaysOnTop());
}

std::string MenuText(HWND main, int id) {
    char text[128] = {};
    GetMenuStringA(GetMenu(main), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(MainWindowTest, BossModeGoesThroughItsThreeStates) {
    auto classIcon = [&] { return reinterpret_cast<HICON>(GetClassLongPtrA(main, GCLP_HICON)); };
    auto bossChecked = [&] {
        return (GetMenuState(GetMenu(main), IDM_BOSS_MODE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    UpdateTitle(main, editorState.currentFileName, 0);

    // Off: Escape, through the dialog manager, does nothing.
    PressKey(list, VK_ESCAPE);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());

    // Armed.
    Command(IDM_BOSS_MODE);
    EXPECT_EQ("ﾎﾞｽが来たﾓｰﾄﾞを無効にする", MenuText(main, IDM_BOSS_MODE));
    EXPECT_TRUE(bossChecked());
    EXPECT_FALSE(IsIconic(main));

    // Disguised: blank caption, other icon, minimised.
    PressKey(list, VK_ESCAPE);
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ("", Caption());
    EXPECT_EQ(editorState.bossIcon, classIcon());
    EXPECT_EQ(1, editorState.bossModeActive);
    Command(2);  // again while disguised
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ("", Caption());

    // Restored: program name alone, program icon, armed again.
    ShowWindow(main, SW_RESTORE);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_EQ(editorState.mainIcon, classIcon());
    EXPECT_EQ(0, editorState.bossModeActive);
    ExpectLayout(main);
    // A title-refreshing command brings the file title back: New, cancelled in its dialog.
    harness->ExpectDialog("方言辞書の新規作成",
                          [](HWND dialog) { dialog::Press(dialog, IDC_NEW_CANCEL); });
    Command(IDM_NEW);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());

    // Switched off while disguised: restoring still undoes the disguise; then Off.
    Command(2);
    EXPECT_TRUE(IsIconic(main));
    Command(IDM_BOSS_MODE);
    EXPECT_EQ("ﾎﾞｽが来たﾓｰﾄﾞを有効にする", MenuText(main, IDM_BOSS_MODE));
    EXPECT_FALSE(bossChecked());
    ShowWindow(main, SW_RESTORE);
    EXPECT_EQ("方言辞書エディタ", Caption());
    EXPECT_EQ(editorState.mainIcon, classIcon());
    Command(2);
    EXPECT_FALSE(IsIconic(main));
}

}  // namespace

namespace {

// Process id of the help viewer this process started, or 0. Other tests may run
// viewers of their own at the same time.
DWORD HelpViewer() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "winhlp32.exe") == 0 &&
            entry.th32ParentProcessID == GetCurrentProcessId())
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

bool HelpViewerRunning() { return HelpViewer() != 0; }

// Waits up to five seconds, pumping messages, for the viewer to be running or not.
bool WaitForHelpViewer(bool running, const std::function<void()>& pump) {
    for (int i = 0; i < 100; ++i) {
        if (HelpViewerRunning() == running) return true;
        pump();
        Sleep(50);
    }
    return false;
}

TEST_F(MainWindowTest, TheHelpViewerQuitsWithTheProgram) {
    ASSERT_TRUE(WaitForHelpViewer(false, [&] { Pump(); }));
    HelpSeam seam;
    seam.Place(editorState.helpFilePath);
    seam.Place(HelpSeam::BesideProgram("zevedit.html"));
    Command(IDM_HELP_TOPICS);
    EXPECT_TRUE(seam.opened.empty());
    EXPECT_TRUE(WaitForHelpViewer(true, [&] { Pump(); }));
    Command(IDM_EXIT);
    EXPECT_TRUE(Pump());
    if (!WaitForHelpViewer(false, [&] { Pump(); })) {
        ADD_FAILURE() << "the help viewer outlives the program";
        // Left running, it would hold the test's output open and stall the run.
        HANDLE viewer = OpenProcess(PROCESS_TERMINATE, FALSE, HelpViewer());
        TerminateProcess(viewer, 1);
        CloseHandle(viewer);
    }
}

}  // namespace
