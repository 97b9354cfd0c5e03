// The about box.
#include "editor.h"
#include "hobu.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            if (IsAlwaysOnTop()) AlwaysToTop(dialog, HOBU_TOPMOST_ON);
            WindowPos(dialog, GetParent(dialog), HOBU_POS_CENTER);
            SetFocus(GetDlgItem(dialog, IDC_ABOUT_OK));
            return FALSE;  // the focus is set
    }
    return EndOnDismiss(dialog, message, wParam, IDC_ABOUT_OK, 0);
}

}  // namespace

void ShowAbout(HWND mainWindow) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), mainWindow, AboutProc,
                    0);
}
