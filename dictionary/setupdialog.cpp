// Setup dialog 105: the user picks the conversion level and entry types of
// the open dictionary, starting from the last confirmed choice.
#include <windows.h>

#include "dictionary.h"
#include "setupdialog.h"
#include "zev.h"
#include "zevresource.h"

extern HINSTANCE zevInstance;

namespace {

const int kControlsPerGroup = 8;
const char kCaption[] = "辞書の設定";
const char kNoTypeWarning[] = "１つ以上のﾀｲﾌﾟを指定してください。";

// The last confirmed choice, whatever dictionary was open then.
uint8_t rememberedLevel = 0;
uint8_t rememberedTypeMask = 0;
// Value with which the running dialog ends: 0 for cancel, otherwise
// type mask * 256 + level.
int32_t dialogResult = 0;

// Levels or types that get a control: at most eight.
int Shown(uint8_t count) { return count < kControlsPerGroup ? count : kControlsPerGroup; }

void LabelControls(HWND dialog, int firstId, int count, int(ZEVAPI* getName)(uint8_t, char*)) {
    for (int i = 0; i < count; ++i) {
        char name[ZEV_TEXT_BUFFER] = "";
        getName(static_cast<uint8_t>(i + 1), name);
        SetDlgItemTextA(dialog, firstId + i, name);
        EnableWindow(GetDlgItem(dialog, firstId + i), TRUE);
    }
}

void OnInitDialog(HWND dialog) {
    // Only OK ends the dialog with a choice; the close box counts as Cancel.
    dialogResult = 0;
    uint8_t typeCount = zevGetTypeCount();
    int levels = Shown(zevGetLevelCount());
    int types = Shown(typeCount);
    LabelControls(dialog, IDC_SETUP_LEVEL1, levels, zevGetLevelName);
    LabelControls(dialog, IDC_SETUP_TYPE1, types, zevGetTypeName);

    int level = rememberedLevel > levels ? levels : rememberedLevel;
    if (level == 0) level = 1;
    CheckRadioButton(dialog, IDC_SETUP_LEVEL1, IDC_SETUP_LEVEL8, IDC_SETUP_LEVEL1 + level - 1);

    // A number comparison, not a masking of bits.
    uint8_t largest = Dictionary::LargestTypeMask(typeCount);
    uint8_t mask = rememberedTypeMask > largest ? largest : rememberedTypeMask;
    for (int t = 0; t < kControlsPerGroup; ++t)
        CheckDlgButton(dialog, IDC_SETUP_TYPE1 + t, (mask >> t) & 1 ? BST_CHECKED : BST_UNCHECKED);
}

void OnOk(HWND dialog) {
    int types = Shown(zevGetTypeCount());
    uint8_t mask = 0;
    for (int t = 0; t < types; ++t)
        if (IsDlgButtonChecked(dialog, IDC_SETUP_TYPE1 + t) == BST_CHECKED) mask |= 1 << t;
    if (mask == 0) {
        MessageBoxA(dialog, kNoTypeWarning, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int levels = Shown(zevGetLevelCount());
    uint8_t level = 1;
    for (int l = 0; l < levels; ++l) {
        if (IsDlgButtonChecked(dialog, IDC_SETUP_LEVEL1 + l) == BST_CHECKED) {
            level = static_cast<uint8_t>(l + 1);
            break;
        }
    }
    rememberedTypeMask = mask;
    rememberedLevel = level;
    dialogResult = mask * 256 + level;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:  // Enter
                case IDC_SETUP_OK:
                    OnOk(dialog);
                    return TRUE;
                case IDCANCEL:  // Escape
                case IDC_SETUP_CANCEL:
                    dialogResult = 0;
                    PostMessageA(dialog, WM_CLOSE, 0, 0);
                    return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(dialog, dialogResult);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int32_t RunSetupDialog(void* ownerWindow) {
    return static_cast<int32_t>(DialogBoxParamA(zevInstance, MAKEINTRESOURCEA(IDD_SETUP),
                                                static_cast<HWND>(ownerWindow), SetupDialogProc,
                                                0));
}
