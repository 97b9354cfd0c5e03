// Times RefillList on a full dictionary (16384 entries) in the real, visible main window
// and prints the figure. Fails when the list is not complete or the refill takes longer
// than the limit given as the first argument (seconds; default 2).
#include <stdio.h>
#include <stdlib.h>

#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

bool FillDictionary() {
    if (!zevCreateDic("標準語", "関西弁", 3, 3)) return false;
    if (!zevSetLevelAndType("弱", 1, "名詞", 1) || !zevSetLevelAndType("中", 2, "動詞", 2) ||
        !zevSetLevelAndType("強", 3, "副詞", 3))
        return false;
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        char source[64], target[64];
        wsprintfA(source, "変換元の文字列%05d", i);
        wsprintfA(target, "変換先の文字列%05d", i);
        if (!zevCreateData(source, static_cast<uint8_t>(i % 3 + 1), 7, i % 2, target)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (GetACP() != 932) {
        fprintf(stderr, "FATAL: ANSI code page is %u, not 932\n", GetACP());
        return 3;
    }
    double limit = argc > 1 ? atof(argv[1]) : 2.0;
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!main || !FillDictionary()) {
        fprintf(stderr, "cannot set up the window or the dictionary\n");
        return 2;
    }
    ConfigureForm(main, kFormDictionaryOpen);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    RefillList(main);
    UpdateWindow(main);
    QueryPerformanceCounter(&end);
    double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);

    int rows = static_cast<int>(SendDlgItemMessageA(main, IDC_ENTRY_LIST, LVM_GETITEMCOUNT, 0, 0));
    printf("RefillList of %d entries: %.3f s (limit %.1f s)\n", rows, seconds, limit);
    DestroyWindow(main);
    if (rows != ZEV_MAX_DATA) {
        fprintf(stderr, "expected %d rows\n", ZEV_MAX_DATA);
        return 1;
    }
    return seconds <= limit ? 0 : 1;
}
