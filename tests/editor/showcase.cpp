// Shows the editor for screenshots, one scene each run:
//   showcase [--scene SCENE] [SECONDS [DICTIONARY]]
// Scenes with the DICTIONARY file opened: "main" (the default; the list filled,
// one entry loaded into the form), "header" and "copyright" (their dialogs).
// Scenes of a first dictionary: "new" (the new-dictionary dialog filled in),
// "entry" (the new dictionary, its first entry typed into the form) and
// "created" (that entry created). Prints the screen rectangle of the window
// shown and "ready" once it is drawn, and ends by itself after the given
// number of seconds (default 8).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "editor.h"
#include "resource.h"
#include "showcase_timers.h"
#include "zev.h"

namespace {

// The first dictionary, as the new-dictionary dialog is filled in for it.
const char kSourceName[] = "標準語";
const char kTargetName[] = "大阪弁";
const char* const kLevelNames[] = {"ふつう", "しっかり", "こてこて"};
const char* const kTypeNames[] = {"あいさつ", "ことば", "語尾", "言い回し"};
const int kLevelCount = 3;
const int kTypeCount = 4;
const char kComment[] = "標準語を大阪弁にする辞書です。";
const char kYear[] = "2026";
const char kHolder[] = "山田花子";

// Its first entry: a greeting of level 1.
const char kFirstSource[] = "ありがとう";
const char kFirstTarget[] = "おおきに";

// The entry of the opened dictionary loaded into the form, and the row shown
// at the top of the list.
const int kLoadedRow = 30;
const int kTopRow = 24;

int NameField(int first, int second, int n) { return n == 0 ? first : second + n - 1; }

void FillNewDictionary(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_NEW_SOURCE_NAME, kSourceName);
    SetDlgItemTextA(dialog, IDC_NEW_TARGET_NAME, kTargetName);
    SetDlgItemInt(dialog, IDC_NEW_LEVEL_COUNT, kLevelCount, FALSE);
    SetDlgItemInt(dialog, IDC_NEW_TYPE_COUNT, kTypeCount, FALSE);
    for (int n = 0; n < kLevelCount; ++n)
        SetDlgItemTextA(dialog, NameField(IDC_NEW_LEVEL_NAME1, IDC_NEW_LEVEL_NAME2, n),
                        kLevelNames[n]);
    for (int n = 0; n < kTypeCount; ++n)
        SetDlgItemTextA(dialog, NameField(IDC_NEW_TYPE_NAME1, IDC_NEW_TYPE_NAME2, n),
                        kTypeNames[n]);
    SetDlgItemTextA(dialog, IDC_NEW_COMMENT, kComment);
    SetDlgItemTextA(dialog, IDC_NEW_YEAR, kYear);
    SetDlgItemTextA(dialog, IDC_NEW_HOLDER, kHolder);
}

// The dictionary that the dialog filled in above creates.
bool CreateFirstDictionary(HWND main) {
    if (!zevCreateDic(kSourceName, kTargetName, kLevelCount, kTypeCount)) return false;
    for (int n = 0; n < kLevelCount; ++n)
        zevSetLevelAndType(kLevelNames[n], static_cast<BYTE>(n + 1), nullptr, 0);
    for (int n = 0; n < kTypeCount; ++n)
        zevSetLevelAndType(nullptr, 0, kTypeNames[n], static_cast<BYTE>(n + 1));
    zevUpdateFooter(1, 0, 0, kComment, static_cast<WORD>(atoi(kYear)), kHolder);
    ConfigureForm(main, kFormDictionaryOpen);
    RefillList(main);
    editorState.isModified = 1;
    return true;
}

void TypeFirstEntry(HWND main) {
    SetDlgItemTextA(main, IDC_SOURCE, kFirstSource);
    SetDlgItemTextA(main, IDC_TARGET, kFirstTarget);
    CheckDlgButton(main, IDC_TYPE1, BST_CHECKED);
    SetFocus(GetDlgItem(main, IDC_TARGET));
}

void LoadEntry(HWND main) {
    HWND list = GetDlgItem(main, IDC_ENTRY_LIST);
    SendMessageA(list, LVM_ENSUREVISIBLE, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) - 1, FALSE);
    SendMessageA(list, LVM_ENSUREVISIBLE, kTopRow, FALSE);
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, kLoadedRow, reinterpret_cast<LPARAM>(&item));
    LoadSelectedEntry(main);
    SetFocus(list);
}

// The focus on the closing button, as after a look at what the dialog shows.
void FocusButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

// The level names dropped down.
void DropLevels(HWND dialog) {
    FocusButton(dialog, IDC_HEADER_OK);
    SendDlgItemMessageA(dialog, IDC_HEADER_LEVELS, CB_SHOWDROPDOWN, TRUE, 0);
}

void FocusFooterOk(HWND dialog) { FocusButton(dialog, IDC_FOOTER_OK); }

void ShowCopyright(HWND main) { EditCopyrightAndVersion(main, &editorState.isModified); }

bool OpenDictionary(HWND main, const char* path) {
    if (!zevOpenDic(path)) return false;
    lstrcpynA(editorState.currentFileName, path, kFileNameSize);
    ConfigureForm(main, kFormDictionaryOpen);
    RefillList(main);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* scene = TakeSceneArgument(&argc, &argv, "main");
    int seconds = argc > 1 ? atoi(argv[1]) : 8;
    const char* dictionary = argc > 2 ? argv[2] : nullptr;
    HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!main) return 1;
    SetWindowPos(main, nullptr, 24, 24, 820, 470, SWP_NOZORDER);
    SetForegroundWindow(main);

    bool opened = strcmp(scene, "main") == 0 || strcmp(scene, "header") == 0 ||
                  strcmp(scene, "copyright") == 0;
    if (opened && !(dictionary && OpenDictionary(main, dictionary))) {
        fprintf(stderr, "showcase: scene \"%s\" needs a dictionary file\n", scene);
        return 1;
    }
    const DialogScene dialogs[] = {{"new", NewDictionary, FillNewDictionary},
                                   {"header", ShowHeaderInfo, DropLevels},
                                   {"copyright", ShowCopyright, FocusFooterOk}};
    if (ShowcaseDialogScene(main, seconds, scene, dialogs, 3)) return 0;
    if (strcmp(scene, "main") == 0) {
        LoadEntry(main);
    } else if (strcmp(scene, "entry") == 0 || strcmp(scene, "created") == 0) {
        if (!CreateFirstDictionary(main)) return 1;
        TypeFirstEntry(main);
        if (strcmp(scene, "created") == 0) DispatchCommand(main, IDM_CREATE_ENTRY);
    } else {
        fprintf(stderr, "showcase: no scene \"%s\"\n", scene);
        return 2;
    }
    UpdateTitle(main, editorState.currentFileName, editorState.isModified);
    StartShowcaseTimers(main, seconds);
    return RunMessageLoop(main, accelerators);
}
