// The editor's message boxes.
#include "editor.h"

const char kProgramName[] = "方言辞書エディタ";

void ShowWarning(HWND owner, const char* text) {
    MessageBoxA(owner, text, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

void ShowError(HWND owner, const char* text) {
    MessageBoxA(owner, text, kProgramName, MB_OK | MB_ICONSTOP);
}
