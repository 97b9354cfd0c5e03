// The conversion command: converts the input box line by line into the
// output box, with CR LF between lines and none after the last.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "converter.h"
#include "resource.h"
#include "zev.h"

static const uint32_t kLineLimit = 65535;
// Line numbers listed in the warning about cut lines, at most.
static const size_t kListedCutLines = 20;

enum LineOutcome { kLineConverted, kLineCut, kLineFailed };

// Converts one line into `output` (kLineLimit + 1 bytes). A result that does
// not fit is kept as far as it goes and reported as cut.
static LineOutcome ConvertLine(const char* line, char* output, UINT direction) {
    // A full buffer fails without touching the last error, which is cleared
    // first, so that it tells an overflow from a real failure.
    zevGetDataCount();
    if (zevConvert(line, output, kLineLimit, converterState.level, converterState.typeMask,
                   direction | ZEV_CONVERT_FAIL_ON_OVERFLOW))
        return kLineConverted;
    return zevGetZevLastError() == ZEV_ERR_NONE ? kLineCut : kLineFailed;
}

static void WarnAboutCutLines(HWND window, const std::vector<size_t>& cutLines) {
    std::string text = "変換結果が長すぎるため、次の行は途中までしか変換されていません。\n行:";
    for (size_t i = 0; i < cutLines.size() && i < kListedCutLines; ++i)
        text += " " + std::to_string(cutLines[i]);
    if (cutLines.size() > kListedCutLines) text += " …";
    ShowWarning(window, text.c_str());
}

// The lines of the input box: an edit control breaks lines at CR LF only.
static std::vector<char*> SplitLines(char* text) {
    std::vector<char*> lines;
    char* start = text;
    for (char* p = text; *p; ++p) {
        if (p[0] == '\r' && p[1] == '\n') {
            *p = '\0';
            lines.push_back(start);
            start = p + 2;
            ++p;
        }
    }
    lines.push_back(start);
    return lines;
}

void ConvertText(HWND window, UINT direction) {
    HWND input = GetDlgItem(window, IDC_INPUT);
    int length = GetWindowTextLengthA(input);
    if (length == 0) {
        ShowWarning(window, "変換する文章を入力してください。");
        return;
    }
    SetDlgItemTextA(window, IDC_OUTPUT, "");
    std::vector<char> text(length + 1, '\0');
    GetWindowTextA(input, text.data(), length + 1);
    std::vector<char*> lines = SplitLines(text.data());

    std::vector<char> converted(kLineLimit + 1);
    std::string result;
    std::vector<size_t> cutLines;
    bool failed = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        LineOutcome outcome = ConvertLine(lines[i], converted.data(), direction);
        if (outcome == kLineFailed) {
            failed = true;
            break;
        }
        if (outcome == kLineCut) cutLines.push_back(i + 1);
        result += converted.data();
        if (i + 1 < lines.size()) result += "\r\n";
    }
    SetDlgItemTextA(window, IDC_OUTPUT, result.c_str());
    if (failed) {
        ShowError(window, "エラー発生！！");
        return;
    }
    if (!cutLines.empty()) WarnAboutCutLines(window, cutLines);
}
