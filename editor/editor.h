// The editor's program-wide state and the functions its files share.
#ifndef ZEVEDIT_EDITOR_H
#define ZEVEDIT_EDITOR_H

#include <windows.h>

#include <commctrl.h>

#include "zev.h"

// Longest dictionary path the editor keeps, with its terminator.
const int kFileNameSize = 1024;
// The start-up directory is read into this many bytes; the help path adds its file name.
const int kCurrentDirectorySize = 512;
const int kHelpFilePathSize = kCurrentDirectorySize + 16;

// What no control of the form shows of the entry loaded into it: its level and
// condition (a checked level button, AND or OR overrides them) and its type bits
// beyond the dictionary's boxes (dropped once the user chooses a type box).
struct LoadedChoices {
    BYTE level;
    BYTE condition;
    BYTE hiddenTypes;
};

struct EditorState {
    char currentFileName[kFileNameSize];  // empty for a new, never-saved dictionary
    int isModified;
    char helpFilePath[kHelpFilePathSize];
    int alwaysOnTop;
    int bossModeEnabled;
    int bossModeActive;
    HICON mainIcon;
    HICON bossIcon;
    WNDPROC previousListProc;  // the list's own procedure, behind ListKeyHook
    bool helpShown;            // the help viewer was started and must be told to quit
    int rowCount;              // rows inserted into the list since it was last cleared
    LoadedChoices loaded;      // the loaded entry's values that the form cannot show
};

extern EditorState editorState;

// Back to the state before start-up (for a second main window in the same process).
void ResetEditorState();

// Start-up and message loop (mainwindow.cpp).
HWND CreateMainWindow(HINSTANCE instance);
// Offers one message to the accelerators, then to the dialog manager; true when taken.
bool TranslateEditorMessage(HWND mainWindow, HACCEL accelerators, MSG* message);
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);
void InitMainWindow(HWND mainWindow, HICON programIcon);
void LayoutMainWindow(HWND mainWindow, int width, int height);

// Commands and title (dispatch.cpp).
void DispatchCommand(HWND mainWindow, int command);
void UpdateTitle(HWND mainWindow, const char* fileName, int modified);

// Window modes and help (window_modes.cpp).
void SetAlwaysOnTop(HWND mainWindow, int flag);
int IsAlwaysOnTop();
void UpdateBossModeMenu(HWND mainWindow, int flag);
void EnterBossMode(HWND mainWindow);
void LeaveBossMode(HWND mainWindow);
void ShowHelpIndex(HWND mainWindow, const char* helpFile);
void CloseHelp(HWND mainWindow);
void SetAllTypes(HWND mainWindow, bool check);

// Keys and double clicks of the entry list (listkeys.cpp).
LRESULT CALLBACK ListKeyHook(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

// The entry form (form.cpp).
enum FormMode { kFormNoDictionary = 1, kFormDictionaryOpen = 2 };
void ConfigureForm(HWND mainWindow, int mode);
void ClearForm(HWND mainWindow, bool keepChoices, bool keepFocus);
void ClearAllInput(HWND mainWindow);
// Reads the shown choices: a level or condition stays as the caller set it when no
// enabled button shows one; only enabled type boxes count.
void ReadForm(HWND mainWindow, char* source, char* target, BYTE* level, BYTE* typeMask,
              BYTE* condition);
// Shows an entry's level, condition and types; what has no control is remembered in
// editorState.loaded, and no button stays checked from an earlier entry.
void ShowEntryChoices(HWND mainWindow, BYTE level, BYTE typeMask, BYTE condition);
// The user chose type boxes: the loaded entry's hidden type bits are given up.
void ForgetHiddenTypes();
// False after a warning when no level or no condition is checked.
bool ChoicesShown(HWND mainWindow);
// False after warning that the source or target text is longer than an entry holds.
bool FormTextsFit(HWND mainWindow);
bool ValidateForm(HWND mainWindow, const char* source, const char* target, BYTE typeMask);
// Length of the longest start of text that fits in maxBytes without splitting a character.
int FittingLength(const char* text, int maxBytes);

// Entries between form, list and library (entries.cpp).
// One entry of the library's table, as zevGetData gives it.
struct EntryRecord {
    char source[ZEV_TEXT_BUFFER];
    char target[ZEV_TEXT_BUFFER];
    BYTE level;
    BYTE typeMask;
    BYTE condition;
};
// False when the slot holds no entry (or cannot be read).
bool ReadEntry(int index, EntryRecord* entry);
void CreateEntry(HWND mainWindow, int* modified);
void UpdateEntry(HWND mainWindow, int* modified);
void RemoveSelectedEntry(HWND mainWindow, int* modified);
void LoadSelectedEntry(HWND mainWindow);

// The entry list (entrylist.cpp).
void RefillList(HWND mainWindow);
void RedrawList(HWND mainWindow);
int InsertRow(HWND list, const char* text);
bool SetRowColumns(HWND list, int row, const char* source, const char* target, BYTE level,
                   BYTE condition);
void ClearList(HWND list);
// Position of the first selected row, or -1; its first-column text into a 20-byte buffer.
int SelectedRow(HWND list, char* indexText);

// Sorting and duplicate removal over the whole entry table (sort.cpp, duplicates.cpp).
// order is IDM_SORT_BY_SOURCE, IDM_SORT_BY_LENGTH or IDM_SORT_BY_LEVEL.
void SortEntries(HWND mainWindow, const char* fileName, int* modified, int order);
void RemoveDuplicateEntries(HWND mainWindow, int* modified);

// The dictionary as an aligned text listing (export_text.cpp).
void ExportText(HWND mainWindow);

// File commands and closing (file_commands.cpp).
void NewDictionary(HWND mainWindow);
void OpenDictionary(HWND mainWindow);
void SaveDictionary(HWND mainWindow);
// True when the dictionary was written to a file the user chose.
bool SaveDictionaryAs(HWND mainWindow);
// True when the window may close: nothing unsaved, changes declined, or saved.
bool QuerySaveChanges(HWND mainWindow);
// False after telling the user that the file is read-only.
bool CheckWritable(HWND mainWindow, const char* fileName);
// False after telling the user that saving failed.
bool SaveToCurrentFile(HWND mainWindow, const char* fileName);
// The text after the last '.' of the name, cut to fit size bytes; false when there is none.
bool GetFileExtension(const char* fileName, char* extension, int size);

// Message boxes, all with the caption "方言辞書エディタ" (messages.cpp).
extern const char kProgramName[];
void ShowWarning(HWND owner, const char* text);
void ShowError(HWND owner, const char* text);
// The error box with text, a line break and the library's reason for its last failure
// (for a failed system call, the system's own message).
void ShowLibraryError(HWND owner, const char* text);
// Messages about a file name: the path, cut to kLongestPathShown bytes at a whole
// character, a line break, then the text (at most 255 bytes) into kFileMessageSize bytes.
const int kLongestPathShown = 512;
const int kFileMessageSize = 1024;
void FormatFileMessage(char* buffer, const char* path, const char* text);
// The "file already exists, replace it?" question; true when the user answers Yes.
bool ConfirmOverwrite(HWND owner, const char* path);

// Helpers of the dialogs (fields.cpp).
// Copies text without the half-width and full-width blanks at both ends into output
// (which holds the text's length + 1 bytes); returns the result's length.
int TrimSpaces(const char* text, char* output);
// Value of the leading decimal digits of text, 0 when there are none.
int DecimalValue(const char* text);
// Rewrites a non-empty numeric field outside minimum..maximum to the nearest bound.
void ClampField(HWND edit, int minimum, int maximum);
// Reads a dialog field into text (maxBytes + 1 bytes); false when the field holds more
// than maxBytes bytes (text then holds what fits, whole characters only).
bool ReadField(HWND dialog, int id, char* text, int maxBytes);

// Ends a modal dialog with result when message dismisses it: Enter, Escape, the button
// closeId or the close box. True when it did (dismiss.cpp).
bool EndOnDismiss(HWND dialog, UINT message, WPARAM wParam, int closeId, INT_PTR result);

// The new-dictionary dialog: 1 when it created a dictionary, 0 when cancelled.
int NewDictionaryDialog(HWND mainWindow);

// The header, copyright and version, and about dialogs of the View and Help menus;
// a confirmed save of the copyright and version sets *modified.
void ShowHeaderInfo(HWND mainWindow);
void EditCopyrightAndVersion(HWND mainWindow, int* modified);
void ShowAbout(HWND mainWindow);

#endif
