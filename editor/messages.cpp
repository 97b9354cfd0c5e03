// The editor's message boxes.
#include "editor.h"

const char kProgramName[] = "方言辞書エディタ";

void ShowWarning(HWND owner, const char* text) {
    MessageBoxA(owner, text, kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

void ShowError(HWND owner, const char* text) {
    MessageBoxA(owner, text, kProgramName, MB_OK | MB_ICONSTOP);
}

void ShowLibraryError(HWND owner, const char* text) {
    char message[ZEV_TEXT_BUFFER] = "";
    char systemText[ZEV_TEXT_BUFFER] = "";
    WORD code = zevGetZevLastError();
    zevGetZevErrorText(code, message, systemText);
    const char* reason = code == ZEV_ERR_WIN32 ? systemText : message;
    char box[1024];
    wsprintfA(box, "%.255s\n%.700s", text, reason);
    ShowError(owner, box);
}

void FormatFileMessage(char* buffer, const char* path, const char* text) {
    // Half a double-byte character would swallow the line break after the path.
    int length = FittingLength(path, kLongestPathShown);
    CopyMemory(buffer, path, length);
    buffer[length] = '\n';
    lstrcpyA(buffer + length + 1, text);
}

bool ConfirmOverwrite(HWND owner, const char* path) {
    char question[kFileMessageSize];
    FormatFileMessage(question, path,
                      "このファイルはすでに存在します。\n現在の内容で置き換えますか？");
    // Closing the box counts as No.
    return MessageBoxA(owner, question, kProgramName, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
