// Commands on text files: load the input text, save the converted text.
#include <string.h>

#include <vector>

#include "converter.h"
#include "hobu.h"
#include "resource.h"

static const int kPathBufferSize = 32767;
static const DWORD kLargestText = 64000;
static const char kTextFilter[] =
    "テキストファイル (*.txt)|*.txt|HTMLファイル (*.html, *.htm)|*.html;*.htm|"
    "すべてのファイル (*.*)|*.*||";

// Reads the whole file into `text` (zero-filled, so the text ends at the
// file's end or at its first NUL byte).
static bool ReadTextFile(const char* path, DWORD size, std::vector<char>& text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    text.assign(kLargestText + 1000, '\0');
    DWORD got = 0;
    BOOL ok = ReadFile(file, text.data(), size, &got, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

void OpenText(HWND window) {
    static char path[kPathBufferSize];
    memset(path, 0, sizeof path);
    if (!GetOpenFilename(window, "ﾃｷｽﾄを開く", nullptr, "*.txt", kTextFilter, 0, 0, path)) return;
    if (!CheckFile(path)) {
        ShowWarning(window, "指定したﾌｧｲﾙが見つかりません。");
        return;
    }
    DWORD size = 0;
    FileSize(path, &size);
    if (size > kLargestText) {
        ShowWarning(window, "ファイルサイズが大きすぎるため、開くことができません。");
        return;
    }
    std::vector<char> text;
    if (!ReadTextFile(path, size, text)) {
        ShowWarning(window, "エラーが発生したためファイルを開くことができませんでした。");
        return;
    }
    SetDlgItemTextA(window, IDC_INPUT, "");
    SetDlgItemTextA(window, IDC_INPUT, text.data());
}

static bool WriteTextFile(const char* path, const char* text, DWORD length) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text, length, &written, nullptr);
    CloseHandle(file);
    return ok && written == length;
}

// Saves the output box as it stands, whatever its length.
void SaveConvertedText(HWND window) {
    HWND output = GetDlgItem(window, IDC_OUTPUT);
    int length = GetWindowTextLengthA(output);
    std::vector<char> text(length + 1, '\0');
    if (length > 0) length = GetWindowTextA(output, text.data(), length + 1);
    if (length <= 0) {
        ShowWarning(window, "変換が行われていません。");
        return;
    }
    static char path[kPathBufferSize];
    memset(path, 0, sizeof path);
    if (!GetSaveFilename(window, "変換テキストの保存", nullptr, "*.txt", kTextFilter, path)) return;
    if (CheckFile(path)) {
        char question[512];
        wsprintfA(question, "%.256s\nこのﾌｧｲﾙはすでに存在します。現在の内容で置き換えますか？",
                  path);
        if (!AskOkCancel(window, question)) return;
    }
    if (CheckFileReadOnly(path) == 0) {
        ShowWarning(window, "ファイルは読取り専用ファイルのため、書き込むことができません。");
        return;
    }
    if (!WriteTextFile(path, text.data(), static_cast<DWORD>(length)))
        ShowWarning(window, "ファイルの書き込みに失敗しました。");
}
