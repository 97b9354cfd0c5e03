// The converter's main window: a modeless dialog with the input and output
// boxes, its layout, the message loop and the command dispatcher.
#include "converter.h"

#include <commdlg.h>

#include <initializer_list>

#include "resource.h"
#include "zev.h"

ConverterState converterState;

static const int kStartWidth = 512;
static const int kStartHeight = 384;
static const int kMinimumSize = 300;

// Both text boxes swallow Escape, which a multi-line edit control would
// otherwise turn into closing the dialog.
static LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) return 0;
    return CallWindowProcA(original, box, message, wParam, lParam);
}

static void SubclassTextBox(HWND box) {
    LONG_PTR original = GetWindowLongPtrA(box, GWLP_WNDPROC);
    SetWindowLongPtrA(box, GWLP_USERDATA, original);
    SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextBoxProc));
    // The default limit of an edit control is far below the texts this
    // program loads and produces.
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
}

static void InitMainWindow(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    SetClassLongPtrA(
        window, GCLP_HICON,
        reinterpret_cast<LONG_PTR>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_MARDELKO))));
    SubclassTextBox(GetDlgItem(window, IDC_INPUT));
    SubclassTextBox(GetDlgItem(window, IDC_OUTPUT));
    int left = (GetSystemMetrics(SM_CXSCREEN) - kStartWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kStartHeight) / 2;
    MoveWindow(window, left, top, kStartWidth, kStartHeight, TRUE);
}

// The input box takes the upper half of the client area, the output box the rest.
static void LayoutMainWindow(HWND window, int width, int height) {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(GetDlgItem(window, IDC_INPUT), nullptr, 0, 2, width, height / 2, flags);
    SetWindowPos(GetDlgItem(window, IDC_OUTPUT), nullptr, 0, height / 2 + 4, width,
                 height - height / 2 - 4, flags);
}

void DispatchCommand(HWND window, int command) {
    switch (command) {
        case IDM_OPEN_DICTIONARY:
            OpenDictionary(window);
            break;
        case IDM_OPEN_TEXT:
            OpenText(window);
            break;
        case IDM_SAVE_TEXT:
            SaveConvertedText(window);
            break;
        case IDM_EXIT:
            PostMessageA(window, WM_CLOSE, 0, 0);
            break;
        case IDM_CONVERT_FORWARD:
            ConvertText(window, 0);
            break;
        case IDM_CONVERT_BACKWARD:
            ConvertText(window, ZEV_CONVERT_BACKWARD);
            break;
        case IDM_SETUP:
            SetupDictionary(window);
            break;
        case IDM_REFRESH:
            RefreshDictionary(window);
            break;
        case IDM_HELP_TOPICS:
            ShowHelp(window);
            break;
        case IDM_ABOUT:
            ShowAbout(window);
            break;
    }
}

static INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitMainWindow(window);
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) LayoutMainWindow(window, LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_GETMINMAXINFO: {
            MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = kMinimumSize;
            info->ptMinTrackSize.y = kMinimumSize;
            return TRUE;
        }
        case WM_COMMAND:
            // Menu items and accelerators only; the text boxes' notifications carry a handle.
            if (lParam == 0) DispatchCommand(window, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(window);
            PostQuitMessage(0);
            return TRUE;
        case WM_DESTROY:
            CloseHelp(window);
            return TRUE;
    }
    return FALSE;
}

HWND CreateMainWindow(HINSTANCE instance) {
    converterState = ConverterState();
    HWND window =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0);
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message)) continue;
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// Names the conversion items after the dialects, enables the commands that
// need a dictionary and shows the file in the title.
void ShowDictionaryInMenusAndTitle(HWND window, const char* path) {
    char before[ZEV_TEXT_BUFFER] = "";
    char after[ZEV_TEXT_BUFFER] = "";
    zevGetBeforeName(before);
    zevGetAfterName(after);
    HMENU menu = GetMenu(window);
    char text[1024];
    // The forward item shows at most 24 bytes of the source name, cut before a
    // double-byte character that would not fit whole.
    char shortBefore[ZEV_TEXT_BUFFER] = "";
    const char* end = before;
    while (*end && CharNextA(end) - before <= 24) end = CharNextA(end);
    lstrcpynA(shortBefore, before, static_cast<int>(end - before) + 1);
    wsprintfA(text, "%s ⇒ %.255s\tCtrl+T", shortBefore, after);
    ModifyMenuA(menu, IDM_CONVERT_FORWARD, MF_BYCOMMAND | MF_STRING, IDM_CONVERT_FORWARD, text);
    wsprintfA(text, "%.24s ⇒ %.255s\tCtrl+R", after, before);
    ModifyMenuA(menu, IDM_CONVERT_BACKWARD, MF_BYCOMMAND | MF_STRING, IDM_CONVERT_BACKWARD, text);
    for (UINT command : {IDM_CONVERT_FORWARD, IDM_CONVERT_BACKWARD, IDM_SETUP, IDM_REFRESH})
        EnableMenuItem(menu, command, MF_BYCOMMAND | MF_ENABLED);

    char fileTitle[260] = "";
    GetFileTitleA(path, fileTitle, sizeof fileTitle);
    wsprintfA(text, "%s - MARDELKO", fileTitle);
    SetWindowTextA(window, text);
}
