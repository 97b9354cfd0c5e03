// Lines through zevConvert, with no size limit and no lost characters.
#ifndef ZEV_TOOL_LINECONVERT_H
#define ZEV_TOOL_LINECONVERT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "bytes.h"
#include "cp932.h"

namespace zevtool {

// The length of a line as read with its line end, less that end (LF or
// CR LF; none after the last line), which goes to `*end`.
size_t LineBody(const char* line, size_t length, const char** end);

// Where, in a text of lines, something first happened: the number of its
// line from 1, 0 when it did not happen.
struct LinesReport {
    size_t invalidLine = 0;      // bytes that are not UTF-8 (passed through)
    size_t undecodableLine = 0;  // converted bytes without a UTF-8 form (written as they are)
    size_t failedLine = 0;       // the library refused; `error` says why
    std::string error;
};

class LineConverter {
public:
    // Clears the library's last error, which tells a refusal from a
    // result too long for the buffer. Converters on several threads are
    // made before any of them converts: after that they only read it.
    // `spanLines`: no entry of the dictionary holds a CR or LF byte (see
    // EntriesHoldLineEnds), so that a run of lines can go to the library in
    // one call with the result of one call per line.
    LineConverter(Cp932& codec, uint8_t level, uint8_t types, bool backward, bool cp932,
                  bool spanLines = false);

    // Converts one line (without its line end) of the open dictionary's
    // text. False with `error` when the library refuses.
    bool Convert(const std::string& line, std::string* out, std::string* error);

    // Converts the `size` bytes of whole lines at `text` (each with its end,
    // LF or CR LF, the last perhaps without), appending to `out` what
    // converting them one by one with Convert would give, line ends kept;
    // `text` may be changed while this runs, and is given back as it was.
    // False, with `out` holding the lines before the one that failed, when
    // the library refuses.
    bool ConvertLines(char* text, size_t size, Bytes* out, LinesReport* report);

    // Set once a line held bytes that are not UTF-8 (passed through).
    bool sawInvalidInput = false;
    // Set once a result held code-page-932 bytes without a UTF-8 form
    // (written as they are).
    bool sawUndecodable = false;

private:
    enum class Calls : uint8_t;
    struct Pass;
    struct Place;
    bool Engine(const char* text, size_t size, Bytes* out, std::string* error);
    bool EngineInPlace(char* text, size_t size, Bytes* out, std::string* error);
    bool ConvertPiece(Pass& pass, char* piece, size_t size, const Place& place, std::string* error);
    bool ConvertRun(Pass& pass, char* run, size_t size, size_t offset);
    bool ConvertByLine(Pass& pass, char* run, size_t size, size_t offset);
    void ToUtf8(Pass& pass, const Bytes& cp932, const Place& place);
    bool ConvertUtf8(Pass& pass, const char* text, size_t size);
    bool ConvertCp932(Pass& pass, char* text, size_t size);
    bool ConvertText(char* text, size_t size, Calls calls, Bytes* out, LinesReport* report);

    Cp932& codec_;
    uint8_t level_;
    uint8_t types_;
    bool backward_;
    bool cp932_;
    bool spanLines_;
    Bytes encoded_;    // a run in code page 932
    Bytes converted_;  // the library's result for it
    std::vector<char> line_;
};

// Whether an entry of the open dictionary holds a CR or LF byte in its source
// or target; if none does, no pattern can match across a line end or at
// one, and no replacement adds one.
bool EntriesHoldLineEnds();

}  // namespace zevtool

#endif
