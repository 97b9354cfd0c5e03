// The header-information dialog: dialect, level and type names of the open dictionary,
// read-only.
#include "editor.h"
#include "hobu.h"
#include "resource.h"
#include "zev.h"

namespace {

// Rows "n: name" for names 1 up to the count, which is read again after each row.
void FillNameList(HWND list, uint8_t (*count)(), int (*name)(uint8_t, char*)) {
    for (int i = 1; i <= count(); ++i) {
        char text[ZEV_TEXT_BUFFER] = {};
        name(static_cast<uint8_t>(i), text);
        char row[ZEV_TEXT_BUFFER + 16];
        wsprintfA(row, "%d: %.255s", i, text);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

uint8_t LevelCount() { return zevGetLevelCount(); }
uint8_t TypeCount() { return zevGetTypeCount(); }
int LevelName(uint8_t level, char* text) { return zevGetLevelName(level, text); }
int TypeName(uint8_t type, char* text) { return zevGetTypeName(type, text); }

void InitHeaderInfo(HWND dialog) {
    WindowPos(dialog, GetParent(dialog), HOBU_POS_CENTER);
    if (IsAlwaysOnTop()) AlwaysToTop(dialog, HOBU_TOPMOST_ON);
    char name[ZEV_TEXT_BUFFER] = {};
    zevGetBeforeName(name);
    SetDlgItemTextA(dialog, IDC_HEADER_SOURCE_NAME, name);
    name[0] = '\0';
    zevGetAfterName(name);
    SetDlgItemTextA(dialog, IDC_HEADER_TARGET_NAME, name);
    FillNameList(GetDlgItem(dialog, IDC_HEADER_LEVELS), LevelCount, LevelName);
    FillNameList(GetDlgItem(dialog, IDC_HEADER_TYPES), TypeCount, TypeName);
}

INT_PTR CALLBACK HeaderInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        InitHeaderInfo(dialog);
        return TRUE;
    }
    return EndOnDismiss(dialog, message, wParam, IDC_HEADER_OK, 0);
}

}  // namespace

void ShowHeaderInfo(HWND mainWindow) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HEADER_INFO), mainWindow,
                    HeaderInfoProc, 0);
}
