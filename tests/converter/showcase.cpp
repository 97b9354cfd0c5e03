// Shows the converter for screenshots, one step of a first conversion a scene:
//   showcase [--scene SCENE] DICTIONARY TEXT [SECONDS [OUTPUT]]
// The dictionary is opened and the text (code page 932) loaded. Scenes:
// "converted" (the default) converts it at level 3 with types 1 to 4;
// "loaded" leaves it unconverted; "setup" shows the dictionary setup dialog
// with that choice made; "about" shows the about box. Prints the screen
// rectangle of the window shown and "ready" once it is drawn, and ends by
// itself after the given number of seconds (default 8). With OUTPUT the
// "converted" scene writes the output box there and ends at once, so that
// other converters can be compared with this one.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "converter.h"
#include "resource.h"
#include "showcase_timers.h"
#include "zev.h"
#include "zevresource.h"

namespace {

const BYTE kLevel = 3;
const BYTE kTypeMask = 0x0F;

std::string ReadFile(const char* path) {
    std::string text;
    if (FILE* file = fopen(path, "rb")) {
        char block[4096];
        size_t got;
        while ((got = fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
        fclose(file);
    }
    return text;
}

bool WriteOutput(HWND main, const char* path) {
    HWND output = GetDlgItem(main, IDC_OUTPUT);
    std::vector<char> text(GetWindowTextLengthA(output) + 1, '\0');
    int length = GetWindowTextA(output, text.data(), static_cast<int>(text.size()));
    FILE* file = fopen(path, "wb");
    if (!file) return false;
    bool ok = fwrite(text.data(), 1, length, file) == static_cast<size_t>(length);
    return fclose(file) == 0 && ok;
}

// The choice the "converted" scene converts with, made as a user would.
void ChooseLevelAndTypes(HWND dialog) {
    CheckRadioButton(dialog, IDC_SETUP_LEVEL1, IDC_SETUP_LEVEL8, IDC_SETUP_LEVEL1 + kLevel - 1);
    for (int type = 0; type < 8; ++type)
        CheckDlgButton(dialog, IDC_SETUP_TYPE1 + type,
                       (kTypeMask >> type) & 1 ? BST_CHECKED : BST_UNCHECKED);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SETUP_OK)),
                 TRUE);
}

const int kConversionMenu = 1;  // position in the menu bar
const UINT_PTR kMenuTimer = 10;

// The conversion menu, named after the dictionary's dialects, dropped down as
// by a click; the message loop has to run for it.
VOID CALLBACK DropConversionMenu(HWND main, UINT, UINT_PTR timer, DWORD) {
    KillTimer(main, timer);
    HMENU bar = GetMenu(main);
    RECT item;
    GetMenuItemRect(main, bar, kConversionMenu, &item);
    HiliteMenuItem(main, bar, kConversionMenu, MF_BYPOSITION | MF_HILITE);
    TrackPopupMenu(GetSubMenu(bar, kConversionMenu), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                   item.left, item.bottom, 0, main, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const char* scene = TakeSceneArgument(&argc, &argv, "converted");
    if (argc < 3) {
        fprintf(stderr, "usage: showcase [--scene SCENE] DICTIONARY TEXT [SECONDS [OUTPUT]]\n");
        return 2;
    }
    int seconds = argc > 3 ? atoi(argv[3]) : 8;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND main = CreateMainWindow(instance);
    if (!main || !zevOpenDic(argv[1])) return 1;
    ShowDictionaryInMenusAndTitle(main, argv[1]);
    lstrcpynA(converterState.dictionaryPath, argv[1], kDictionaryPathSize);
    converterState.level = 1;
    converterState.typeMask = 1;
    SetWindowPos(main, nullptr, 24, 24, 760, 560, SWP_NOZORDER);
    SetDlgItemTextA(main, IDC_INPUT, ReadFile(argv[2]).c_str());
    SetForegroundWindow(main);

    const DialogScene dialogs[] = {{"setup", SetupDictionary, ChooseLevelAndTypes},
                                   {"about", ShowAbout, nullptr}};
    if (ShowcaseDialogScene(main, seconds, scene, dialogs, 2)) return 0;
    if (strcmp(scene, "converted") == 0) {
        converterState.level = kLevel;
        converterState.typeMask = kTypeMask;
        ConvertText(main, 0);
        if (argc > 4) return WriteOutput(main, argv[4]) ? 0 : 1;
    } else if (strcmp(scene, "loaded") == 0) {
        SetTimer(main, kMenuTimer, 100, DropConversionMenu);
    } else {
        fprintf(stderr, "showcase: no scene \"%s\"\n", scene);
        return 2;
    }
    StartShowcaseTimers(main, seconds);
    return RunMessageLoop(main, accelerators);
}
