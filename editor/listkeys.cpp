// The entry list's replacement window procedure: Space and double click load the
// selected entry into the form, Delete removes it.
#include "editor.h"

LRESULT CALLBACK ListKeyHook(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND mainWindow = GetParent(list);
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        LoadSelectedEntry(mainWindow);
    } else if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        RemoveSelectedEntry(mainWindow, &editorState.isModified);
        UpdateTitle(mainWindow, editorState.currentFileName, editorState.isModified);
    } else if (message == WM_LBUTTONDBLCLK) {
        LoadSelectedEntry(mainWindow);
    }
    return CallWindowProcA(editorState.previousListProc, list, message, wParam, lParam);
}
