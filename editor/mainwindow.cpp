// The editor's main window: start-up, message loop, initialisation, layout and closing.
#include "editor.h"
#include "resource.h"

EditorState editorState;

void ResetEditorState() { ZeroMemory(&editorState, sizeof editorState); }

namespace {

const int kMinimumWidth = 450;
const int kMinimumHeight = 346;

struct ListColumn {
    const char* text;
    int width;
};

const ListColumn kListColumns[] = {
    {"ｲﾝﾃﾞｯｸｽ", 60},     {"変換元文字列", 100}, {"変換先文字列", 100},
    {"変換レベル", 100}, {"条件", 50},
};

void InsertListColumns(HWND list) {
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kListColumns[i].text);
        column.cx = kListColumns[i].width;
        column.iSubItem = i + 1;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void BuildHelpFilePath() {
    char directory[kCurrentDirectorySize] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    // A directory that does not fit is left out rather than read half.
    if (length == 0 || length >= sizeof directory) directory[0] = '\0';
    wsprintfA(editorState.helpFilePath, "%s\\Zevedit.hlp", directory);
}

void MoveControl(HWND mainWindow, int id, int x, int y) {
    SetWindowPos(GetDlgItem(mainWindow, id), NULL, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Always handled here: left to the dialog manager, a refused close would come back
// as command 2, which is Escape, and could hide the window in boss mode.
BOOL OnClose(HWND mainWindow) {
    if (!QuerySaveChanges(mainWindow)) return TRUE;
    PostQuitMessage(0);
    DestroyWindow(mainWindow);
    return TRUE;
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
            InitCommonControlsEx(&controls);
            InitMainWindow(window, editorState.mainIcon);
            HWND list = GetDlgItem(window, IDC_ENTRY_LIST);
            editorState.previousListProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListKeyHook)));
            // Wine sends no WM_SIZE on the first show: lay out the pixel positions now.
            RECT client;
            GetClientRect(window, &client);
            LayoutMainWindow(window, client.right, client.bottom);
            return TRUE;
        }
        case WM_SIZE:
            LayoutMainWindow(window, LOWORD(lParam), HIWORD(lParam));
            LeaveBossMode(window);
            return FALSE;
        case WM_GETMINMAXINFO: {
            MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = kMinimumWidth;
            limits->ptMinTrackSize.y = kMinimumHeight;
            return FALSE;
        }
        case WM_COMMAND:
            DispatchCommand(window, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            return OnClose(window);
        case WM_DESTROY:
            CloseHelp(window);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void InitMainWindow(HWND mainWindow, HICON programIcon) {
    SetClassLongPtrA(mainWindow, GCLP_HICON, reinterpret_cast<LONG_PTR>(programIcon));

    HWND list = GetDlgItem(mainWindow, IDC_ENTRY_LIST);
    InsertListColumns(list);
    DWORD extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended | LVS_EX_GRIDLINES);

    SendDlgItemMessageA(mainWindow, IDC_INDEX, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageA(mainWindow, IDC_SOURCE, EM_LIMITTEXT, 255, 0);
    SendDlgItemMessageA(mainWindow, IDC_TARGET, EM_LIMITTEXT, 255, 0);
    CheckRadioButton(mainWindow, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1);
    CheckRadioButton(mainWindow, IDC_AND, IDC_OR, IDC_AND);
    ConfigureForm(mainWindow, kFormNoDictionary);
    BuildHelpFilePath();
}

// Only the list grows with the window; the form keeps its distance from the right edge.
void LayoutMainWindow(HWND mainWindow, int w, int h) {
    // Minimised, the client area is 0 x 0: the list shrinks to nothing, not below.
    int listWidth = w > 392 ? w - 392 : 0;
    int listHeight = h > 6 ? h - 6 : 0;
    SetWindowPos(GetDlgItem(mainWindow, IDC_ENTRY_LIST), NULL, 0, 0, listWidth, listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveControl(mainWindow, IDC_INDEX_LABEL, w - 375, 9);
    MoveControl(mainWindow, IDC_SOURCE_LABEL, w - 375, 39);
    MoveControl(mainWindow, IDC_TARGET_LABEL, w - 375, 69);
    MoveControl(mainWindow, IDC_INDEX, w - 284, 6);
    MoveControl(mainWindow, IDC_SOURCE, w - 284, 36);
    MoveControl(mainWindow, IDC_TARGET, w - 284, 66);
    MoveControl(mainWindow, IDC_LEVEL_GROUP, w - 382, 108);
    MoveControl(mainWindow, IDC_TYPE_GROUP, w - 189, 108);
    MoveControl(mainWindow, IDC_AND, w - 181, 126);
    MoveControl(mainWindow, IDC_OR, w - 111, 126);
    for (int k = 0; k < 8; ++k) {
        MoveControl(mainWindow, IDC_LEVEL1 + k, w - 371, 147 + 18 * k);
        MoveControl(mainWindow, IDC_TYPE1 + k, w - 181, 147 + 18 * k);
    }
    InvalidateRect(mainWindow, NULL, FALSE);
}

HWND CreateMainWindow(HINSTANCE instance) {
    editorState.currentFileName[0] = '\0';
    editorState.mainIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZEVEDIT));
    editorState.bossIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_BOSS));
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

bool TranslateEditorMessage(HWND mainWindow, HACCEL accelerators, MSG* message) {
    if (TranslateAcceleratorA(mainWindow, accelerators, message)) return true;
    return IsDialogMessageA(mainWindow, message);
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (TranslateEditorMessage(mainWindow, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
