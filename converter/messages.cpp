// Message boxes of the converter.
#include <stdio.h>

#include "converter.h"
#include "zev.h"

static const char kCaption[] = "MARDELKO";

void ShowWarning(HWND owner, const char* text) {
    MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowError(HWND owner, const char* text) {
    MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONHAND);
}

bool AskOkCancel(HWND owner, const char* text) {
    return MessageBoxA(owner, text, kCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void ShowLibraryError(HWND owner, const char* intro) {
    char message[ZEV_TEXT_BUFFER] = "";
    char systemText[ZEV_TEXT_BUFFER] = "";
    uint16_t code = zevGetZevLastError();
    zevGetZevErrorText(code, message, systemText);
    // For a failed system call the system's own message says more.
    const char* reason = code == ZEV_ERR_WIN32 ? systemText : message;
    char text[1024];
    snprintf(text, sizeof text, "%s\n%s", intro, reason);
    ShowError(owner, text);
}
