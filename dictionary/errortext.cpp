// The texts of the last-error codes.
#include <string.h>

#include "dictionary.h"
#include "platform.h"

static const char* const kErrorTexts[] = {
    "ｴﾗｰはありません。",
    "Win32APIのｴﾗｰです。",
    "辞書がｵｰﾌﾟﾝされていません。",
    "辞書がすでにｵｰﾌﾟﾝされています。",
    "変換ﾃﾞｰﾀは空です。",
    "変換ﾃﾞｰﾀを登録する領域が存在しません。",
    "ﾊﾟﾗﾒｰﾀが正しくありません。",
    "ｲﾝﾃﾞｯｸｽが有効範囲にありません。",
    "辞書の設定はｷｬﾝｾﾙされました。",
    "指定された領域には変換ﾃﾞｰﾀが存在しません。",
    "ﾒﾓﾘの開放に失敗しました。",
    "ﾌｫｰﾏｯﾄが無効です。",
};

const uint16_t kErrorCodeCount = sizeof kErrorTexts / sizeof kErrorTexts[0];

uint16_t Dictionary::GetErrorText(uint16_t code, char* message, char* systemText) const {
    if (!message) return 0;
    if (code >= kErrorCodeCount) return static_cast<uint16_t>(strnlen(message, ZEV_MAX_TEXT));
    uint8_t length = CopyText(message, kErrorTexts[code]);
    if (code != ZEV_ERR_WIN32 || !systemText) return length;
    return static_cast<uint16_t>(
        platform::SystemErrorText(lastWin32Error, systemText, ZEV_TEXT_BUFFER));
}
