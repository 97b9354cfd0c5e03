// The menu command table and the window title.
#include "editor.h"
#include "resource.h"

namespace {

void ToggleAlwaysOnTop(HWND mainWindow) {
    editorState.alwaysOnTop = !editorState.alwaysOnTop;
    SetAlwaysOnTop(mainWindow, editorState.alwaysOnTop);
}

void ToggleBossMode(HWND mainWindow) {
    editorState.bossModeEnabled = !editorState.bossModeEnabled;
    UpdateBossModeMenu(mainWindow, editorState.bossModeEnabled);
}

void Exit(HWND mainWindow) { PostMessageA(mainWindow, WM_CLOSE, 0, 0); }
void SelectAllTypes(HWND mainWindow) { SetAllTypes(mainWindow, true); }
void ClearAllTypes(HWND mainWindow) { SetAllTypes(mainWindow, false); }
void Create(HWND mainWindow) { CreateEntry(mainWindow, &editorState.isModified); }
void Update(HWND mainWindow) { UpdateEntry(mainWindow, &editorState.isModified); }
void HelpTopics(HWND mainWindow) { ShowHelpIndex(mainWindow, editorState.helpFilePath); }
void Sort(HWND mainWindow, int order) {
    SortEntries(mainWindow, editorState.currentFileName, &editorState.isModified, order);
}
void SortBySource(HWND mainWindow) { Sort(mainWindow, IDM_SORT_BY_SOURCE); }
void SortByLength(HWND mainWindow) { Sort(mainWindow, IDM_SORT_BY_LENGTH); }
void SortByLevel(HWND mainWindow) { Sort(mainWindow, IDM_SORT_BY_LEVEL); }
void RemoveDuplicates(HWND mainWindow) {
    RemoveDuplicateEntries(mainWindow, &editorState.isModified);
}
void SaveAs(HWND mainWindow) { SaveDictionaryAs(mainWindow); }
void CopyrightAndVersion(HWND mainWindow) {
    EditCopyrightAndVersion(mainWindow, &editorState.isModified);
}

struct Command {
    int id;
    void (*action)(HWND mainWindow);
    bool refreshesTitle;
};

// Each menu command, its action, and whether the title is refreshed after it.
const Command kCommands[] = {
    {2, EnterBossMode, false},  // Escape, from the dialog manager
    {IDM_NEW, NewDictionary, true},
    {IDM_OPEN, OpenDictionary, true},
    {IDM_SAVE_AS, SaveAs, true},
    {IDM_SAVE, SaveDictionary, true},
    {IDM_EXPORT_TEXT, ExportText, false},
    {IDM_EXIT, Exit, false},
    {IDM_CLEAR_ALL_INPUT, ClearAllInput, false},
    {IDM_SELECT_ALL_TYPES, SelectAllTypes, false},
    {IDM_CLEAR_ALL_TYPES, ClearAllTypes, false},
    {IDM_SORT_BY_SOURCE, SortBySource, true},
    {IDM_SORT_BY_LENGTH, SortByLength, true},
    {IDM_SORT_BY_LEVEL, SortByLevel, true},
    {IDM_REMOVE_DUPLICATES, RemoveDuplicates, true},
    {IDM_CREATE_ENTRY, Create, true},
    {IDM_UPDATE_ENTRY, Update, true},
    {IDM_HEADER_INFO, ShowHeaderInfo, false},
    {IDM_COPYRIGHT_VERSION, CopyrightAndVersion, true},
    {IDM_ALWAYS_ON_TOP, ToggleAlwaysOnTop, false},
    {IDM_REDRAW_LIST, RedrawList, false},
    {IDM_BOSS_MODE, ToggleBossMode, false},
    {IDM_HELP_TOPICS, HelpTopics, false},
    {IDM_ABOUT, ShowAbout, false},
};

}  // namespace

void DispatchCommand(HWND mainWindow, int command) {
    if (command >= IDC_TYPE1 && command <= IDC_TYPE8) ForgetHiddenTypes();
    for (const Command& entry : kCommands) {
        if (entry.id != command) continue;
        if (entry.action) entry.action(mainWindow);
        // The title follows the outcome, whatever it was.
        if (entry.refreshesTitle)
            UpdateTitle(mainWindow, editorState.currentFileName, editorState.isModified);
        return;
    }
}

void UpdateTitle(HWND mainWindow, const char* fileName, int modified) {
    if (!fileName[0]) {
        SetWindowTextA(mainWindow, kProgramName);
        return;
    }
    char title[300] = {};
    GetFileTitleA(fileName, title, sizeof title);
    char caption[300 + 64];
    wsprintfA(caption, "%s%s - %s", title, modified ? " *" : "", kProgramName);
    SetWindowTextA(mainWindow, caption);
}
