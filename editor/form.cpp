// The entry form: its set-up for the open dictionary, clearing, reading and checking.
#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

// Commands that need an open dictionary.
const int kDictionaryCommands[] = {
    IDM_SAVE_AS,           IDM_SAVE,           IDM_EXPORT_TEXT,    IDM_SELECT_ALL_TYPES,
    IDM_CLEAR_ALL_TYPES,   IDM_SORT_BY_SOURCE, IDM_SORT_BY_LENGTH, IDM_SORT_BY_LEVEL,
    IDM_REMOVE_DUPLICATES, IDM_CREATE_ENTRY,   IDM_UPDATE_ENTRY,   IDM_HEADER_INFO,
    IDM_COPYRIGHT_VERSION,
};

const char kMnemonicFormat[] = "(&%d)";
const int kMnemonicLength = 4;  // "(&n)" for n = 1..8

// Of the eight level buttons and type boxes, those a dictionary with `count` uses.
int Visible(int count) { return count < 8 ? count : 8; }

// A checked control that the user can see: disabled ones show nothing.
bool Shown(HWND mainWindow, int id) {
    return IsDlgButtonChecked(mainWindow, id) == BST_CHECKED &&
           IsWindowEnabled(GetDlgItem(mainWindow, id));
}

void EnableDictionaryCommands(HWND mainWindow, bool enable) {
    HMENU menu = GetMenu(mainWindow);
    for (int id : kDictionaryCommands)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void ShowControl(HWND mainWindow, int id, bool enabled, const char* label) {
    EnableWindow(GetDlgItem(mainWindow, id), enabled);
    SetDlgItemTextA(mainWindow, id, label);
}

// Level name and its number as mnemonic; a name too long for both is cut.
void BuildLevelLabel(int level, char* label) {
    char name[ZEV_TEXT_BUFFER] = {};
    zevGetLevelName(static_cast<uint8_t>(level), name);
    int length = FittingLength(name, ZEV_MAX_TEXT - kMnemonicLength);
    CopyMemory(label, name, length);
    wsprintfA(label + length, kMnemonicFormat, level);
}

void ConfigureForOpenDictionary(HWND mainWindow) {
    EnableDictionaryCommands(mainWindow, true);
    int levelCount = zevGetLevelCount();
    bool levelHidden = false;
    for (int n = 1; n <= 8; ++n) {
        char label[ZEV_TEXT_BUFFER] = {};
        if (n <= levelCount) BuildLevelLabel(n, label);
        ShowControl(mainWindow, IDC_LEVEL1 + n - 1, n <= levelCount, label);
        levelHidden |= n > levelCount && IsDlgButtonChecked(mainWindow, IDC_LEVEL1 + n - 1);
    }
    // A choice left on a blank control from the previous dictionary would
    // reach new entries unseen: fall back to level 1, and clear hidden types.
    if (levelHidden) CheckRadioButton(mainWindow, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1);
    int typeCount = zevGetTypeCount();
    for (int n = 1; n <= 8; ++n) {
        char label[ZEV_TEXT_BUFFER] = {};
        if (n <= typeCount) zevGetTypeName(static_cast<uint8_t>(n), label);
        ShowControl(mainWindow, IDC_TYPE1 + n - 1, n <= typeCount, label);
        if (n > typeCount) CheckDlgButton(mainWindow, IDC_TYPE1 + n - 1, BST_UNCHECKED);
    }
}

void ConfigureForNoDictionary(HWND mainWindow) {
    EnableDictionaryCommands(mainWindow, false);
    for (int k = 0; k < 8; ++k) {
        EnableWindow(GetDlgItem(mainWindow, IDC_LEVEL1 + k), FALSE);
        EnableWindow(GetDlgItem(mainWindow, IDC_TYPE1 + k), FALSE);
    }
    CheckRadioButton(mainWindow, IDC_AND, IDC_OR, IDC_AND);
}

}  // namespace

int FittingLength(const char* text, int maxBytes) {
    const char* end = text;
    while (*end) {
        const char* next = CharNextA(end);
        if (next - text > maxBytes) break;
        end = next;
    }
    return static_cast<int>(end - text);
}

void ConfigureForm(HWND mainWindow, int mode) {
    if (mode == kFormNoDictionary) ConfigureForNoDictionary(mainWindow);
    if (mode == kFormDictionaryOpen) ConfigureForOpenDictionary(mainWindow);
}

void ClearForm(HWND mainWindow, bool keepChoices, bool keepFocus) {
    ZeroMemory(&editorState.loaded, sizeof editorState.loaded);  // no entry is loaded
    SetDlgItemTextA(mainWindow, IDC_INDEX, "");
    SetDlgItemTextA(mainWindow, IDC_SOURCE, "");
    SetDlgItemTextA(mainWindow, IDC_TARGET, "");
    if (!keepChoices) {
        CheckRadioButton(mainWindow, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1);
        CheckRadioButton(mainWindow, IDC_AND, IDC_OR, IDC_AND);
        int typeCount = zevGetTypeCount();
        for (int k = 0; k < typeCount && k < 8; ++k)
            CheckDlgButton(mainWindow, IDC_TYPE1 + k, BST_UNCHECKED);
    }
    if (!keepFocus) SetFocus(GetDlgItem(mainWindow, IDC_SOURCE));
}

void ClearAllInput(HWND mainWindow) { ClearForm(mainWindow, false, false); }

void ReadForm(HWND mainWindow, char* source, char* target, BYTE* level, BYTE* typeMask,
              BYTE* condition) {
    GetDlgItemTextA(mainWindow, IDC_SOURCE, source, ZEV_TEXT_BUFFER);
    GetDlgItemTextA(mainWindow, IDC_TARGET, target, ZEV_TEXT_BUFFER);
    for (int n = 1; n <= 8; ++n)
        if (Shown(mainWindow, IDC_LEVEL1 + n - 1)) *level = static_cast<BYTE>(n);
    *typeMask = 0;
    for (int k = 0; k < 8; ++k)
        if (Shown(mainWindow, IDC_TYPE1 + k)) *typeMask |= 1 << k;
    if (Shown(mainWindow, IDC_AND)) *condition = 1;
    if (Shown(mainWindow, IDC_OR)) *condition = 0;
}

void ShowEntryChoices(HWND mainWindow, BYTE level, BYTE typeMask, BYTE condition) {
    const int levels = Visible(zevGetLevelCount());
    const BYTE shownTypes = static_cast<BYTE>((1 << Visible(zevGetTypeCount())) - 1);
    editorState.loaded = {level, condition, static_cast<BYTE>(typeMask & ~shownTypes)};
    for (int n = 1; n <= 8; ++n)
        CheckDlgButton(mainWindow, IDC_LEVEL1 + n - 1, n == level && n <= levels);
    CheckDlgButton(mainWindow, IDC_AND, condition == 1);
    CheckDlgButton(mainWindow, IDC_OR, condition == 0);
    for (int k = 0; k < 8; ++k)
        CheckDlgButton(mainWindow, IDC_TYPE1 + k, (typeMask & shownTypes) >> k & 1);
}

void ForgetHiddenTypes() { editorState.loaded.hiddenTypes = 0; }

bool ChoicesShown(HWND mainWindow) {
    BYTE level = 0, typeMask = 0, condition = 2;
    char text[ZEV_TEXT_BUFFER];
    ReadForm(mainWindow, text, text, &level, &typeMask, &condition);
    const char* problem = nullptr;
    if (level == 0)
        problem = "変換レベルを指定してください。";
    else if (condition > 1)
        problem = "条件（AND または OR）を指定してください。";
    if (problem) ShowWarning(mainWindow, problem);
    return problem == nullptr;
}

bool FormTextsFit(HWND mainWindow) {
    // The edit limits count characters, so 255 double-byte characters (510 bytes) can be
    // typed; such a text is refused rather than cut to what the dictionary holds.
    char text[ZEV_TEXT_BUFFER];
    const char* problem = nullptr;
    if (!ReadField(mainWindow, IDC_SOURCE, text, ZEV_MAX_TEXT))
        problem = "変換元文字列は255バイト以内で入力してください。";
    else if (!ReadField(mainWindow, IDC_TARGET, text, ZEV_MAX_TEXT))
        problem = "変換先文字列は255バイト以内で入力してください。";
    if (problem) ShowWarning(mainWindow, problem);
    return problem == nullptr;
}

bool ValidateForm(HWND mainWindow, const char* source, const char* target, BYTE typeMask) {
    const char* problem = nullptr;
    if (!source[0])
        problem = "変換元文字列を入力してください。";
    else if (!target[0])
        problem = "変換先文字列を入力してください。";
    else if (typeMask == 0)
        problem = "１つ以上のタイプを指定してください。";
    if (problem) ShowWarning(mainWindow, problem);
    return problem == nullptr;
}
