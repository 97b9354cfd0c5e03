// File commands of the editor: New, Open, Save, Save As, and the question that stands
// before unsaved changes are lost.
#include "editor.h"
#include "hobu.h"
#include "resource.h"
#include "zev.h"

namespace {

const char kOpenFilter[] = "方言辞書ファイル (*.zev)|*.zev|すべてのファイル (*.*)|*.*||";
const char kSaveFilter[] = "方言辞書ファイル (*.zev)|*.zev||";
const char kDefaultExtension[] = ".zev";
const char kSaveChangesQuestion[] = "辞書の内容が変更されています。変更内容を保存しますか？";
const char kReadOnlyMessage[] =
    "このファイルは読取り専用ファイルのため、書き込むことができません。";
const char kSaveFailedMessage[] = "何らかの原因により、保存に失敗しました。";

// The file dialogs may return up to HOBU_FILENAME_BUFFER bytes; Save As may add the
// extension. Open and Save As keep separate buffers, since Open's question may run Save As
// while Open still holds its chosen name.
char openPath[HOBU_FILENAME_BUFFER];
char savePath[HOBU_FILENAME_BUFFER + sizeof kDefaultExtension];

// The unsaved-changes question of New and Open; true when the command may go on.
bool OfferToSaveChanges(HWND mainWindow) {
    if (!editorState.isModified) return true;
    int answer = MessageBoxA(mainWindow, kSaveChangesQuestion, kProgramName,
                             MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDYES) return SaveDictionaryAs(mainWindow);
    return answer == IDNO;
}

void ShowOpenFailure(HWND mainWindow) {
    ShowLibraryError(mainWindow, "ﾌｧｲﾙのｵｰﾌﾟﾝ処理で異常終了を検出しました。");
}

// The form and list for the dictionary the library has just made current.
void ShowDictionary(HWND mainWindow) {
    ConfigureForm(mainWindow, kFormDictionaryOpen);
    RefillList(mainWindow);
    ClearForm(mainWindow, false, false);
}

// Back to the start-up state when the library holds no dictionary any more, so that the
// window neither shows entries that are gone nor keeps changes that can no longer be saved.
void ShowNoDictionary(HWND mainWindow) {
    ClearList(GetDlgItem(mainWindow, IDC_ENTRY_LIST));
    ConfigureForm(mainWindow, kFormNoDictionary);
    for (int k = 0; k < 8; ++k) {
        SetDlgItemTextA(mainWindow, IDC_LEVEL1 + k, "");
        SetDlgItemTextA(mainWindow, IDC_TYPE1 + k, "");
        CheckDlgButton(mainWindow, IDC_TYPE1 + k, BST_UNCHECKED);
    }
    ClearForm(mainWindow, false, false);
    editorState.currentFileName[0] = '\0';
    editorState.isModified = 0;
}

}  // namespace

void NewDictionary(HWND mainWindow) {
    if (!OfferToSaveChanges(mainWindow)) return;
    // Cancelled, the dialog leaves the old dictionary in the library and on screen.
    if (!NewDictionaryDialog(mainWindow)) return;
    ShowDictionary(mainWindow);
    editorState.currentFileName[0] = '\0';
    editorState.isModified = 1;
}

void OpenDictionary(HWND mainWindow) {
    ZeroMemory(openPath, sizeof openPath);
    if (!GetOpenFilename(mainWindow, "開く", nullptr, editorState.currentFileName, kOpenFilter, 0,
                         0, openPath))
        return;
    if (!OfferToSaveChanges(mainWindow)) return;
    if (!CheckFile(openPath)) {
        ShowWarning(mainWindow, "指定されたファイルは存在しません。");
        return;
    }
    if (!zevIsZevFormat(openPath)) {
        ShowWarning(mainWindow, "不明な形式のファイルであるため、開くことができません。");
        return;
    }
    if (zevIsOpen()) zevCloseDic();
    if (!zevOpenDic(openPath)) {
        ShowOpenFailure(mainWindow);
        ShowNoDictionary(mainWindow);
        return;
    }
    editorState.isModified = 0;
    lstrcpynA(editorState.currentFileName, openPath, kFileNameSize);
    ShowDictionary(mainWindow);
}

bool SaveDictionaryAs(HWND mainWindow) {
    ZeroMemory(savePath, sizeof savePath);
    if (!GetSaveFilename(mainWindow, "名前を付けて保存", nullptr, editorState.currentFileName,
                         kSaveFilter, savePath))
        return false;
    char extension[16];
    if (!GetFileExtension(savePath, extension, sizeof extension))
        lstrcatA(savePath, kDefaultExtension);
    if (CheckFile(savePath) && !ConfirmOverwrite(mainWindow, savePath)) return false;
    if (!CheckWritable(mainWindow, savePath)) return false;
    if (!zevSaveDic(savePath)) {
        ShowWarning(mainWindow, kSaveFailedMessage);
        return false;
    }
    editorState.isModified = 0;
    lstrcpynA(editorState.currentFileName, savePath, kFileNameSize);
    return true;
}

void SaveDictionary(HWND mainWindow) {
    const char* fileName = editorState.currentFileName;
    // A new dictionary, or one whose file has gone, needs a name first.
    if (!CheckFile(fileName)) {
        SaveDictionaryAs(mainWindow);
        return;
    }
    if (!CheckWritable(mainWindow, fileName)) return;
    SaveToCurrentFile(mainWindow, fileName);
}

bool QuerySaveChanges(HWND mainWindow) {
    if (!editorState.isModified) return true;
    int answer = MessageBoxA(mainWindow, kSaveChangesQuestion, kProgramName,
                             MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    const char* fileName = editorState.currentFileName;
    if (!CheckFile(fileName)) return SaveDictionaryAs(mainWindow);
    return CheckWritable(mainWindow, fileName) && SaveToCurrentFile(mainWindow, fileName);
}

bool CheckWritable(HWND mainWindow, const char* fileName) {
    // Only the low half counts: a missing file (-1) may be written.
    if ((CheckFileReadOnly(fileName) & 0xFFFF) != 0) return true;
    ShowWarning(mainWindow, kReadOnlyMessage);
    return false;
}

bool SaveToCurrentFile(HWND mainWindow, const char* fileName) {
    if (!zevSaveDic(fileName)) {
        ShowWarning(mainWindow, kSaveFailedMessage);
        return false;
    }
    editorState.isModified = 0;
    return true;
}

bool GetFileExtension(const char* fileName, char* extension, int size) {
    int length = lstrlenA(fileName);
    if (length == 0 || fileName[length - 1] == '.') return false;
    // Step back by characters, so that a trail byte is never read as a separator.
    const char* position = fileName + length;
    while (position > fileName) {
        position = CharPrevA(fileName, position);
        if (*position == '.') {
            lstrcpynA(extension, position + 1, size);
            return true;
        }
    }
    return false;
}
