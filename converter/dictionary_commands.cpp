// Commands on the dictionary: open, setup and refresh.
#include <string.h>

#include "converter.h"
#include "hobu.h"
#include "zev.h"

// The chosen path; the file dialog fills at most this many bytes.
static const int kPathBufferSize = 32767;

void OpenDictionary(HWND window) {
    static char path[kPathBufferSize];
    memset(path, 0, sizeof path);
    if (!GetOpenFilename(window, "方言辞書を開く", nullptr, "*.zev",
                         "方言辞書ファイル (*.zev)|*.zev|すべてのファイル (*.*)|*.*||", 0, 0, path))
        return;
    if (!CheckFile(path)) {
        ShowWarning(window, "指定したﾌｧｲﾙが見つかりません。");
        return;
    }
    if (!zevIsZevFormat(path)) {
        ShowWarning(window, "不明な形式のファイルであるため、開くことができません。");
        return;
    }
    if (zevIsOpen()) zevCloseDic();
    if (!zevOpenDic(path)) {
        ShowLibraryError(window, "ﾌｧｲﾙのｵｰﾌﾟﾝ処理で異常終了を検出しました。");
        return;
    }
    ShowDictionaryInMenusAndTitle(window, path);
    lstrcpynA(converterState.dictionaryPath, path, kDictionaryPathSize);
    converterState.level = 1;
    converterState.typeMask = 1;
}

void SetupDictionary(HWND window) {
    BYTE level = converterState.level;
    BYTE typeMask = converterState.typeMask;
    if (!zevSetupDic(window, &level, &typeMask)) return;
    converterState.level = level;
    converterState.typeMask = typeMask;
}

// Reads the dictionary file again, so that changes saved by the editor reach
// the converter; the level and types stay as they were.
void RefreshDictionary(HWND window) {
    const char* path = converterState.dictionaryPath;
    if (!CheckFile(path)) {
        ShowWarning(window, "ファイルが見つかりません。現在の辞書は移動、または削除されました。");
        return;
    }
    if (!zevIsZevFormat(path)) {
        ShowWarning(window, "辞書の更新に失敗しました。ファイル形式が無効です。");
        return;
    }
    if (zevIsOpen()) zevCloseDic();
    if (!zevOpenDic(path)) {
        ShowLibraryError(window,
                         "辞書の更新処理で異常終了を検出しました。現在の辞書は無効になります。");
        return;
    }
    ShowDictionaryInMenusAndTitle(window, path);
}
