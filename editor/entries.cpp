// Entries between the form, the list and the dictionary library: create, update,
// remove and load.
#include <stdlib.h>
#include <string.h>

#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

HWND EntryList(HWND mainWindow) { return GetDlgItem(mainWindow, IDC_ENTRY_LIST); }

uint16_t IndexValue(const char* text) { return static_cast<uint16_t>(atoi(text)); }

// After a create or an update the form is ready for the next entry: texts empty,
// level, condition and types kept.
void EmptyFormTexts(HWND mainWindow) { ClearForm(mainWindow, true, false); }

}  // namespace

bool ReadEntry(int index, EntryRecord* entry) {
    entry->source[0] = entry->target[0] = '\0';
    entry->level = entry->typeMask = entry->condition = 0;
    return zevGetData(static_cast<uint16_t>(index), entry->source, &entry->level, &entry->typeMask,
                      &entry->condition, entry->target) != 0;
}

void CreateEntry(HWND mainWindow, int* modified) {
    char source[ZEV_TEXT_BUFFER] = {};
    char target[ZEV_TEXT_BUFFER] = {};
    BYTE level = 1, typeMask = 0, condition = 0;
    if (!FormTextsFit(mainWindow)) return;
    ReadForm(mainWindow, source, target, &level, &typeMask, &condition);
    if (!ValidateForm(mainWindow, source, target, typeMask)) return;
    // A new entry takes only what the form shows.
    if (!ChoicesShown(mainWindow)) return;

    uint16_t index = zevCreateData(source, level, typeMask, condition, target);
    if (index == 0) {
        if (zevGetZevLastError() == ZEV_ERR_NO_FREE_SLOT)
            ShowWarning(mainWindow, "これ以上データを追加することはできません。");
        else
            ShowLibraryError(mainWindow, "異常終了！データを追加できませんでした。");
        return;
    }
    char indexText[16];
    wsprintfA(indexText, "%.5d", index);
    HWND list = EntryList(mainWindow);
    int row = InsertRow(list, indexText);
    if (row != -1) SetRowColumns(list, row, source, target, level, condition);
    EmptyFormTexts(mainWindow);
    *modified = 1;
}

void UpdateEntry(HWND mainWindow, int* modified) {
    char indexText[10] = {};
    GetDlgItemTextA(mainWindow, IDC_INDEX, indexText, sizeof indexText);
    if (!indexText[0]) {
        ShowWarning(mainWindow, "更新対象となるデータを選択してください。");
        return;
    }
    char source[ZEV_TEXT_BUFFER] = {};
    char target[ZEV_TEXT_BUFFER] = {};
    // What the form cannot show of the loaded entry goes back as it was, unless the
    // user chose a level, a condition or type boxes.
    BYTE level = editorState.loaded.level, condition = editorState.loaded.condition;
    BYTE typeMask = 0;
    if (!FormTextsFit(mainWindow)) return;
    ReadForm(mainWindow, source, target, &level, &typeMask, &condition);
    typeMask |= editorState.loaded.hiddenTypes;
    if (!ValidateForm(mainWindow, source, target, typeMask)) return;
    if (!zevUpdateData(IndexValue(indexText), source, level, typeMask, condition, target)) {
        ShowLibraryError(mainWindow, "異常終了！データを更新できませんでした。");
        return;
    }

    HWND list = EntryList(mainWindow);
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = indexText;
    int row = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(&find)));
    if (row != -1) SetRowColumns(list, row, source, target, level, condition);
    EmptyFormTexts(mainWindow);
    *modified = 1;
}

void RemoveSelectedEntry(HWND mainWindow, int* modified) {
    HWND list = EntryList(mainWindow);
    char rowText[20] = {};
    int row = SelectedRow(list, rowText);
    if (row == -1) return;
    if (!zevRemoveData(IndexValue(rowText))) return;
    SendMessageA(list, LVM_DELETEITEM, row, 0);

    // The entry in the form is gone: reset the form, but leave the focus in the list.
    char indexText[20] = {};
    GetDlgItemTextA(mainWindow, IDC_INDEX, indexText, sizeof indexText);
    if (strcmp(indexText, rowText) == 0) ClearForm(mainWindow, false, true);
    *modified = 1;
}

void LoadSelectedEntry(HWND mainWindow) {
    char rowText[20] = {};
    if (SelectedRow(EntryList(mainWindow), rowText) == -1) return;
    char source[ZEV_TEXT_BUFFER] = {};
    char target[ZEV_TEXT_BUFFER] = {};
    BYTE level = 0, typeMask = 0, condition = 0;
    // A row without its entry leaves the form as it is.
    if (!zevGetData(IndexValue(rowText), source, &level, &typeMask, &condition, target)) return;

    SetDlgItemTextA(mainWindow, IDC_INDEX, rowText);
    SetDlgItemTextA(mainWindow, IDC_SOURCE, source);
    SetDlgItemTextA(mainWindow, IDC_TARGET, target);
    ShowEntryChoices(mainWindow, level, typeMask, condition);
}
