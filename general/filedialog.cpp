// The open and save dialogs: the platform's Explorer-style common dialogs,
// described from the caller's one-line filter and initial file name.
#include <windows.h>
#include <commdlg.h>

#include <string.h>

#include "filter.h"
#include "hobu.h"

// The save dialog's description, cleared at every call; not re-entrant.
static OPENFILENAMEA saveDialog;

// Zero-filled file-name buffer holding the initial name; freed by the caller.
static char* NewFileNameBuffer(const char* initialFileName) {
    char* buffer = static_cast<char*>(GlobalAlloc(GPTR, HOBU_FILENAME_BUFFER));
    if (buffer && initialFileName) lstrcpynA(buffer, initialFileName, HOBU_FILENAME_BUFFER);
    return buffer;
}

static void Describe(OPENFILENAMEA& dialog, HWND owner, const char* title,
                     const char* initialDirectory, const char* filter, char* fileName) {
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = HOBU_FILENAME_BUFFER;
    dialog.lpstrTitle = title;
    dialog.lpstrInitialDir = initialDirectory;
}

extern "C" int HOBUAPI GetOpenFilename(HWND owner, const char* title, const char* initialDirectory,
                                       const char* initialFileName, const char* filter,
                                       int showReadOnly, int multiSelect, char* result) {
    char filterList[HOBU_FILTER_BUFFER];
    ConvertFilter(filter, filterList);
    char* fileName = NewFileNameBuffer(initialFileName);
    if (!fileName) return 0;

    OPENFILENAMEA dialog;
    memset(&dialog, 0, sizeof dialog);
    Describe(dialog, owner, title, initialDirectory, filterList, fileName);
    dialog.Flags = OFN_EXPLORER | OFN_LONGNAMES;
    dialog.Flags |= showReadOnly == 1 ? OFN_READONLY : OFN_HIDEREADONLY;
    if (multiSelect == 1) dialog.Flags |= OFN_ALLOWMULTISELECT;

    int chosen = GetOpenFileNameA(&dialog) == 1;
    if (chosen && result) lstrcpyA(result, fileName);
    GlobalFree(fileName);
    return chosen;
}

extern "C" int HOBUAPI GetSaveFilename(HWND owner, const char* title, const char* initialDirectory,
                                       const char* initialFileName, const char* filter,
                                       char* result) {
    char filterList[HOBU_FILTER_BUFFER];
    ConvertFilter(filter, filterList);
    char* fileName = NewFileNameBuffer(initialFileName);
    if (!fileName) return 0;

    memset(&saveDialog, 0, sizeof saveDialog);
    Describe(saveDialog, owner, title, initialDirectory, filterList, fileName);
    saveDialog.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY;

    int chosen = GetSaveFileNameA(&saveDialog) != 0;
    if (chosen && result) lstrcpyA(result, fileName);
    GlobalFree(fileName);
    // The record must not keep pointers into memory that is gone.
    memset(&saveDialog, 0, sizeof saveDialog);
    return chosen;
}
