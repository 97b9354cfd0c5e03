// One line through zevConvert, with no size limit and no lost characters.
#ifndef ZEV_TOOL_LINECONVERT_H
#define ZEV_TOOL_LINECONVERT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "cp932.h"

namespace zevtool {

// The length of a line as read with its line end, less that end (LF or
// CR LF; none after the last line), which goes to `*end`.
size_t LineBody(const char* line, size_t length, const char** end);

class LineConverter {
public:
    // Clears the library's last error, which tells a refusal from a
    // result too long for the buffer. Converters on several threads are
    // made before any of them converts: after that they only read it.
    LineConverter(Cp932& codec, uint8_t level, uint8_t types, bool backward, bool cp932);

    // Converts one line (without its line end) of the open dictionary's
    // text. False with `error` when the library refuses.
    bool Convert(const std::string& line, std::string* out, std::string* error);

    // Set once a line held bytes that are not UTF-8 (passed through).
    bool sawInvalidInput = false;
    // Set once a result held code-page-932 bytes without a UTF-8 form
    // (written as they are).
    bool sawUndecodable = false;

private:
    bool Engine(const std::string& text, std::string* out, std::string* error);
    bool Holdable(const std::string& utf8, size_t at, size_t length);
    void ToUtf8(const std::string& cp932, std::string* out);
    bool ConvertUtf8(const std::string& line, std::string* out, std::string* error);

    Cp932& codec_;
    uint8_t level_;
    uint8_t types_;
    bool backward_;
    bool cp932_;
    std::vector<char> buffer_;
};

}  // namespace zevtool

#endif
