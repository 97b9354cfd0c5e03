// Times the three sorts and duplicate removal on a full dictionary (16384 entries in
// shuffled order, some of them duplicates) in the real main window, each with its list
// refill, and prints the figures. Fails when a result is wrong or a step takes longer
// than the limit given as the first argument (seconds; default 1).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "dialog_harness.h"
#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

const int kDuplicates = 1000;

std::string RandomWord(std::mt19937& random) {
    static const char* kKana[] = {"か", "カ", "さ", "サ", "た", "タ", "な", "ナ", "は", "ハ",
                                  "ま", "マ", "や", "ら", "わ", "ん", "が", "ば", "ー", "ｶ"};
    std::string word;
    for (int length = 2 + static_cast<int>(random() % 7); length > 0; --length)
        word += kKana[random() % 20];
    return word;
}

// Entries in random order; the last kDuplicates repeat earlier sources and targets.
bool FillDictionary() {
    if (!zevCreateDic("標準語", "関西弁", 3, 3)) return false;
    if (!zevSetLevelAndType("弱", 1, "名詞", 1) || !zevSetLevelAndType("中", 2, "動詞", 2) ||
        !zevSetLevelAndType("強", 3, "副詞", 3))
        return false;
    std::mt19937 random(2026);
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        std::string source = RandomWord(random), target = RandomWord(random);
        if (i >= ZEV_MAX_DATA - kDuplicates) {
            char copiedSource[256] = {}, copiedTarget[256] = {};
            uint8_t level, typeMask, condition;
            zevGetData(static_cast<uint16_t>(1 + random() % (ZEV_MAX_DATA - kDuplicates)),
                       copiedSource, &level, &typeMask, &condition, copiedTarget);
            source = copiedSource;
            target = copiedTarget;
        }
        if (!zevCreateData(source.c_str(), static_cast<uint8_t>(1 + random() % 3), 7,
                           static_cast<uint8_t>(random() % 2), target.c_str()))
            return false;
    }
    return true;
}

// Whether every occupied slot's entry stands in order with the next occupied one.
bool InOrder(int order) {
    char previous[256] = {};
    int previousLevel = 0;
    bool first = true;
    for (int slot = 1; slot <= ZEV_MAX_DATA; ++slot) {
        char source[256] = {}, target[256] = {};
        uint8_t level = 0, typeMask, condition;
        if (!zevGetData(static_cast<uint16_t>(slot), source, &level, &typeMask, &condition, target))
            continue;
        if (!first) {
            bool ok =
                order == IDM_SORT_BY_SOURCE
                    ? CompareStringA(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT | NORM_IGNOREKANATYPE,
                                     previous, -1, source, -1) != CSTR_GREATER_THAN
                : order == IDM_SORT_BY_LENGTH ? strlen(previous) >= strlen(source)
                                              : previousLevel <= level;
            if (!ok) return false;
        }
        first = false;
        strcpy(previous, source);
        previousLevel = level;
    }
    return true;
}

double Seconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER end, frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

int ListRows(HWND main) {
    return static_cast<int>(SendDlgItemMessageA(main, IDC_ENTRY_LIST, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
    if (GetACP() != 932) {
        fprintf(stderr, "FATAL: ANSI code page is %u, not 932\n", GetACP());
        return 3;
    }
    double limit = argc > 1 ? atof(argv[1]) : 1.0;
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!main || !FillDictionary()) {
        fprintf(stderr, "cannot set up the window or the dictionary\n");
        return 2;
    }
    ConfigureForm(main, kFormDictionaryOpen);
    bool passed = true;

    const struct {
        int order;
        const char* name;
    } sorts[] = {{IDM_SORT_BY_SOURCE, "source string"},
                 {IDM_SORT_BY_LENGTH, "source length"},
                 {IDM_SORT_BY_LEVEL, "level"}};
    for (const auto& sort : sorts) {
        int modified = 0;
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        SortEntries(main, "", &modified, sort.order);
        UpdateWindow(main);
        double seconds = Seconds(start);
        bool right = modified == 1 && InOrder(sort.order) && ListRows(main) == ZEV_MAX_DATA;
        printf("SortEntries by %s, %d entries: %.3f s (limit %.1f s)%s\n", sort.name, ZEV_MAX_DATA,
               seconds, limit, right ? "" : " WRONG RESULT");
        passed &= right && seconds <= limit;
    }

    // The count box is answered at once; its time is part of the figure.
    int modified = 0;
    double seconds;
    MessageBoxSeen box;
    {
        DialogHarness harness;
        harness.Ignore(main);
        harness.ExpectMessageBox(IDOK, &box);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        RemoveDuplicateEntries(main, &modified);
        UpdateWindow(main);
        seconds = Seconds(start);
        passed &= harness.Finished();
    }
    int left = zevGetDataCount();
    char expected[128];
    wsprintfA(expected, "%d件の重複したﾃﾞｰﾀを削除しました。", ZEV_MAX_DATA - left);
    bool right = modified == 1 && ZEV_MAX_DATA - left >= kDuplicates && box.text == expected &&
                 ListRows(main) == left;
    printf("RemoveDuplicateEntries, %d entries, %d removed: %.3f s (limit %.1f s)%s\n",
           ZEV_MAX_DATA, ZEV_MAX_DATA - left, seconds, limit, right ? "" : " WRONG RESULT");
    passed &= right && seconds <= limit;

    DestroyWindow(main);
    return passed ? 0 : 1;
}
