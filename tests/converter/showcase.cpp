// Shows the converter with a dictionary opened and a text converted (level 3,
// types 1 to 4), for screenshots: showcase DICTIONARY TEXT [SECONDS [OUTPUT]].
// The text file is code page 932. Prints the window's screen rectangle and
// "ready" once it is drawn, and ends by itself after the given number of
// seconds (default 8). With OUTPUT it writes the output box there and ends at
// once, so that other converters can be compared with this one.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "converter.h"
#include "resource.h"
#include "showcase_timers.h"
#include "zev.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: showcase DICTIONARY TEXT [SECONDS]\n");
        return 2;
    }
    int seconds = argc > 3 ? atoi(argv[3]) : 8;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND main = CreateMainWindow(instance);
    if (!main || !zevOpenDic(argv[1])) return 1;
    ShowDictionaryInMenusAndTitle(main, argv[1]);
    lstrcpynA(converterState.dictionaryPath, argv[1], kDictionaryPathSize);
    converterState.level = 3;
    converterState.typeMask = 0x0F;
    SetWindowPos(main, nullptr, 24, 24, 760, 560, SWP_NOZORDER);
    SetDlgItemTextA(main, IDC_INPUT, ReadFile(argv[2]).c_str());
    ConvertText(main, 0);
    if (argc > 4) return WriteOutput(main, argv[4]) ? 0 : 1;
    SetForegroundWindow(main);

    StartShowcaseTimers(main, seconds);
    return RunMessageLoop(main, accelerators);
}
