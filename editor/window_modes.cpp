// Always-on-top, boss mode, help and the all-types commands of the main window.
#include "editor.h"
#include "hobu.h"
#include "resource.h"
#include "zev.h"

namespace {

void SetMenuItemState(HWND mainWindow, int id, UINT state) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = state;
    SetMenuItemInfoA(GetMenu(mainWindow), id, FALSE, &item);
}

void SetClassIcon(HWND mainWindow, HICON icon) {
    SetClassLongPtrA(mainWindow, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

}  // namespace

void SetAlwaysOnTop(HWND mainWindow, int flag) {
    editorState.alwaysOnTop = flag;
    AlwaysToTop(mainWindow, flag ? HOBU_TOPMOST_ON : HOBU_TOPMOST_OFF);
    SetMenuItemState(mainWindow, IDM_ALWAYS_ON_TOP, flag ? MFS_CHECKED : MFS_UNCHECKED);
}

int IsAlwaysOnTop() { return editorState.alwaysOnTop; }

void UpdateBossModeMenu(HWND mainWindow, int flag) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    item.fType = MFT_STRING;
    item.fState = flag ? MFS_CHECKED : MFS_UNCHECKED;
    item.dwTypeData =
        const_cast<char*>(flag ? "ﾎﾞｽが来たﾓｰﾄﾞを無効にする" : "ﾎﾞｽが来たﾓｰﾄﾞを有効にする");
    SetMenuItemInfoA(GetMenu(mainWindow), IDM_BOSS_MODE, FALSE, &item);
}

// Escape: blank title, harmless icon, out of sight.
void EnterBossMode(HWND mainWindow) {
    if (!editorState.bossModeEnabled) return;
    SetClassIcon(mainWindow, editorState.bossIcon);
    SetWindowTextA(mainWindow, "");
    ShowWindow(mainWindow, SW_MINIMIZE);
    editorState.bossModeActive = 1;
}

// The full title returns with the next command that refreshes it.
void LeaveBossMode(HWND mainWindow) {
    if (IsIconic(mainWindow) || !editorState.bossModeActive) return;
    SetClassIcon(mainWindow, editorState.mainIcon);
    SetWindowTextA(mainWindow, kProgramName);
    editorState.bossModeActive = 0;
}

void ShowHelpIndex(HWND mainWindow, const char* helpFile) {
    WinHelpA(mainWindow, helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>(""));
    editorState.helpShown = true;
}

// The help viewer outlives the program unless it is told to quit.
void CloseHelp(HWND mainWindow) {
    if (!editorState.helpShown) return;
    WinHelpA(mainWindow, editorState.helpFilePath, HELP_QUIT, 0);
    editorState.helpShown = false;
}

void SetAllTypes(HWND mainWindow, bool check) {
    ForgetHiddenTypes();
    int count = zevGetTypeCount();
    if (count > 8) count = 8;
    for (int k = 0; k < count; ++k)
        CheckDlgButton(mainWindow, IDC_TYPE1 + k, check ? BST_CHECKED : BST_UNCHECKED);
}
