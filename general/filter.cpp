#include "filter.h"

#include <string.h>

// The list must end in two NULs inside the buffer.
static const size_t kMaxFilterBytes = HOBU_FILTER_BUFFER - 2;

void ConvertFilter(const char* filter, char (&buffer)[HOBU_FILTER_BUFFER]) {
    memset(buffer, 0, sizeof buffer);
    if (!filter) return;
    size_t length = 0;
    size_t separators = 0;
    size_t wholePairs = 0;  // bytes up to the end of the last whole pair
    while (filter[length] != '\0') {
        // Step by characters: "|" (0x7C) is also a trail byte in code page
        // 932 (as in "ポ"), which must stay as it is.
        bool doubleByte = IsDBCSLeadByte(static_cast<BYTE>(filter[length])) && filter[length + 1];
        size_t step = doubleByte ? 2 : 1;
        if (length + step > kMaxFilterBytes) {
            // Too long: keep whole description/pattern pairs only, so that no
            // pattern is cut into one that matches other files.
            memset(buffer + wholePairs, 0, length - wholePairs);
            return;
        }
        if (doubleByte) {
            buffer[length] = filter[length];
            buffer[length + 1] = filter[length + 1];
        } else if (filter[length] == '|') {
            buffer[length] = '\0';
            if (++separators % 2 == 0) wholePairs = length + 1;
        } else {
            buffer[length] = filter[length];
        }
        length += step;
    }
}
