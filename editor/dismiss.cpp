// Closing the editor's modal dialogs.
#include "editor.h"

bool EndOnDismiss(HWND dialog, UINT message, WPARAM wParam, int closeId, INT_PTR result) {
    bool dismissed = message == WM_CLOSE;
    if (message == WM_COMMAND) {
        int id = LOWORD(wParam);
        dismissed = id == IDOK || id == IDCANCEL || id == closeId;
    }
    if (dismissed) EndDialog(dialog, result);
    return dismissed;
}
