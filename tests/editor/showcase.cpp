// Shows the editor with a small dialect dictionary loaded, for screenshots: the list
// filled, one entry in the form. Prints the window's screen rectangle and "ready" once
// it is drawn, and ends by itself after the given number of seconds (default 8).
#include <stdio.h>
#include <stdlib.h>

#include "editor.h"
#include "resource.h"
#include "showcase_timers.h"
#include "zev.h"

namespace {

struct Word {
    const char* source;
    const char* target;
    uint8_t level;
    uint8_t types;
    uint8_t condition;
};

const Word kWords[] = {
    {"ありがとう", "おおきに", 1, 0x10, 1}, {"本当に", "ほんまに", 1, 0x08, 1},
    {"だめだ", "あかん", 1, 0x04, 1},       {"いくら", "なんぼ", 1, 0x01, 0},
    {"とても", "めっちゃ", 2, 0x08, 1},     {"捨てる", "ほかす", 2, 0x02, 1},
    {"片付ける", "なおす", 3, 0x02, 0},     {"疲れた", "しんどい", 2, 0x04, 1},
    {"違う", "ちゃう", 1, 0x02, 1},         {"だから", "せやから", 2, 0x08, 1},
    {"そうだね", "せやな", 1, 0x10, 1},     {"ものもらい", "めばちこ", 3, 0x01, 0},
    {"気持ち悪い", "さぶいぼ", 3, 0x04, 1}, {"面白い", "おもろい", 1, 0x04, 1},
};

bool LoadDictionary() {
    if (!zevCreateDic("標準語", "関西弁", 3, 5)) return false;
    const char* levels[] = {"基本", "日常", "強い方言"};
    const char* types[] = {"名詞", "動詞", "形容詞", "副詞", "あいさつ"};
    for (int i = 0; i < 3; ++i)
        zevSetLevelAndType(levels[i], static_cast<uint8_t>(i + 1), nullptr, 0);
    for (int i = 0; i < 5; ++i)
        zevSetLevelAndType(nullptr, 0, types[i], static_cast<uint8_t>(i + 1));
    for (const Word& w : kWords)
        if (!zevCreateData(w.source, w.level, w.types, w.condition, w.target)) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? atoi(argv[1]) : 8;
    HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!main || !LoadDictionary()) return 1;
    strcpy(editorState.currentFileName, "C:\\辞書\\関西弁.zev");
    ConfigureForm(main, kFormDictionaryOpen);
    RefillList(main);
    SetWindowPos(main, nullptr, 24, 24, 820, 470, SWP_NOZORDER);

    HWND list = GetDlgItem(main, IDC_ENTRY_LIST);
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&item));
    LoadSelectedEntry(main);
    editorState.isModified = 1;
    UpdateTitle(main, editorState.currentFileName, editorState.isModified);
    SetForegroundWindow(main);
    SetFocus(list);

    StartShowcaseTimers(main, seconds);
    return RunMessageLoop(main, accelerators);
}
