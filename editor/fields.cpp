// Text helpers of the editor's dialogs: blanks trimmed, numeric fields kept in range,
// texts read whole so that an over-long one is refused rather than cut.
#include <string.h>

#include <string>

#include "editor.h"
#include "hobu.h"

namespace {

// Length of the blank (half-width or full-width space) that starts at character.
int BlankLength(const char* character, const char* next) {
    int length = static_cast<int>(next - character);
    if (length == 1 && character[0] == ' ') return 1;
    if (length == 2 && static_cast<unsigned char>(character[0]) == 0x81 &&
        static_cast<unsigned char>(character[1]) == 0x40)
        return 2;
    return 0;
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(strlen(text.c_str()));
    return text;
}

}  // namespace

int TrimSpaces(const char* text, char* output) {
    const char* start = text;
    while (*start) {
        const char* next = CharNextA(start);
        if (!BlankLength(start, next)) break;
        start = next;
    }
    // Step back character by character: a trail byte of 0x40 is no blank.
    const char* end = start + strlen(start);
    while (end > start) {
        const char* previous = CharPrevA(start, end);
        if (!BlankLength(previous, end)) break;
        end = previous;
    }
    int length = static_cast<int>(end - start);
    memmove(output, start, length);
    output[length] = '\0';
    return length;
}

int DecimalValue(const char* text) {
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > 99999999) break;  // far beyond every range the fields clamp to
    }
    return value;
}

void ClampField(HWND edit, int minimum, int maximum) {
    // The whole text is compared, so that no surplus character survives unseen.
    std::string text = WindowText(edit);
    if (text.empty()) return;
    int value = static_cast<int>(CheckOverflow(DecimalValue(text.c_str()), minimum, maximum));
    char clamped[16];
    int length = wsprintfA(clamped, "%d", value);
    if (text == clamped) return;
    SetWindowTextA(edit, clamped);
    SendMessageA(edit, EM_SETSEL, length, length);
}

bool ReadField(HWND dialog, int id, char* text, int maxBytes) {
    std::string whole = WindowText(GetDlgItem(dialog, id));
    int length = FittingLength(whole.c_str(), maxBytes);
    memcpy(text, whole.c_str(), length);
    text[length] = '\0';
    return length == static_cast<int>(whole.size());
}
