// The entry list: one row per entry, first column the five-digit index by which the
// row finds its entry again.

#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

bool SetColumnText(HWND list, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    return SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

}  // namespace

int InsertRow(HWND list, const char* text) {
    char buffer[ZEV_TEXT_BUFFER];
    wsprintfA(buffer, "%.255s", text);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = editorState.rowCount;
    item.pszText = buffer;
    int row =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row != -1) ++editorState.rowCount;
    return row;
}

bool SetRowColumns(HWND list, int row, const char* source, const char* target, BYTE level,
                   BYTE condition) {
    char buffer[ZEV_TEXT_BUFFER];
    bool ok = true;
    wsprintfA(buffer, "%.255s", source);
    ok &= SetColumnText(list, row, 1, buffer);
    wsprintfA(buffer, "%.255s", target);
    ok &= SetColumnText(list, row, 2, buffer);
    buffer[0] = '\0';
    zevGetLevelName(level, buffer);
    ok &= SetColumnText(list, row, 3, buffer);
    ok &= SetColumnText(list, row, 4, (condition & 0xFF) == 1 ? "AND" : "OR");
    return ok;
}

void ClearList(HWND list) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    editorState.rowCount = 0;
}

int SelectedRow(HWND list, char* indexText) {
    int row = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row == -1) return -1;
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = indexText;
    item.cchTextMax = 20;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    indexText[19] = '\0';
    return row;
}

// Every entry in index order. Drawing stays off while the rows go in: with it on, a full
// dictionary takes minutes.
void RefillList(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_ENTRY_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ClearList(list);
    SendMessageA(list, LVM_SETITEMCOUNT, zevGetDataCount(), 0);
    for (int index = 1; index <= ZEV_MAX_DATA; ++index) {
        if (!zevIsDataEnabled(static_cast<uint16_t>(index))) continue;
        char source[ZEV_TEXT_BUFFER] = {};
        char target[ZEV_TEXT_BUFFER] = {};
        BYTE level = 0, typeMask = 0, condition = 0;
        zevGetData(static_cast<uint16_t>(index), source, &level, &typeMask, &condition, target);
        char indexText[16];
        wsprintfA(indexText, "%.5d", index);
        int row = InsertRow(list, indexText);
        if (row != -1) SetRowColumns(list, row, source, target, level, condition);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

void RedrawList(HWND mainWindow) { RefillList(mainWindow); }
