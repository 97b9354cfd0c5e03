// The about box and the help: the help file, or else the user guide.
#include "converter.h"
#include "helpguide.h"
#include "hobu.h"
#include "resource.h"

static const char kHelpFile[] = "Mardelko.hlp";

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            WindowPos(dialog, GetWindow(dialog, GW_OWNER), 0);
            SetFocus(GetDlgItem(dialog, IDC_ABOUT_OK));
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_ABOUT_OK || LOWORD(wParam) == IDOK ||
                LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

void ShowAbout(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutProc, 0);
}

void ShowHelp(HWND window) {
    if (ShowHelpFallback(window, {kHelpFile, "Mardelko.html", "MARDELKO"}) != HelpSource::kHelpFile)
        return;
    static char emptyKeyword[] = "";
    WinHelpA(window, kHelpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>(emptyKeyword));
    converterState.helpShown = true;
}

// The help viewer outlives the program unless it is told to quit.
void CloseHelp(HWND window) {
    if (!converterState.helpShown) return;
    WinHelpA(window, kHelpFile, HELP_QUIT, 0);
    converterState.helpShown = false;
}
