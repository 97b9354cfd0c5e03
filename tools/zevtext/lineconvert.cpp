#include "lineconvert.h"

#include <string.h>

#include <algorithm>

#include "libraryfailure.h"
#include "zev.h"

namespace zevtool {

size_t LineBody(const char* line, size_t length, const char** end) {
    *end = "";
    if (length == 0 || line[length - 1] != '\n') return length;
    const bool crlf = length > 1 && line[length - 2] == '\r';
    *end = crlf ? "\r\n" : "\n";
    return length - (crlf ? 2 : 1);
}

// The converter program's buffer: 65536 bytes, of which 65535 for text.
static const uint32_t kConverterLimit = 65535;

// How a text is cut into calls: each run of characters code page 932 holds
// whole, as one line; each such run in one call, or again line by line
// when the library refuses it (so that the refused line is named); or each
// line of each run on its own.
enum class LineConverter::Calls : uint8_t { kWhole, kSpan, kByLine };

// One text on its way through: where its result goes and what is reported.
struct LineConverter::Pass {
    const char* text;
    Calls calls;
    Bytes* out;
    LinesReport* report;
    size_t lineOut;        // size of `out` where the current line's result begins
    size_t counted = 0;    // the line ends before this offset are counted
    size_t lineThere = 1;  // the number of the line there

    // The number of the line that holds the byte `offset` bytes into the
    // text; offsets asked for mostly grow, so each byte is counted once.
    size_t LineOf(size_t offset) {
        if (offset < counted) counted = 0, lineThere = 1;
        lineThere += static_cast<size_t>(std::count(text + counted, text + offset, '\n'));
        counted = offset;
        return lineThere;
    }
    // After `count` bytes were added to `out`: where a line begins now.
    void Added(size_t count) {
        if (count == 0) return;
        const void* end = memrchr(out->data() + out->size() - count, '\n', count);
        if (end) lineOut = static_cast<size_t>(static_cast<const char*>(end) - out->data()) + 1;
    }
    // The line fails: its result so far is dropped.
    bool Fail(size_t line, const std::string& error) {
        report->failedLine = line;
        report->error = error;
        out->Resize(lineOut);
        return false;
    }
};

// Where a piece of a run lies: the run's offset in the text, and the line
// ends in the run before the piece.
struct LineConverter::Place {
    size_t offset;
    size_t newlines;
};

LineConverter::LineConverter(Cp932& codec, uint8_t level, uint8_t types, bool backward, bool cp932,
                             bool spanLines)
    : codec_(codec),
      level_(level),
      types_(types),
      backward_(backward),
      cp932_(cp932),
      spanLines_(spanLines) {
    zevGetDataCount();  // resets the library's last error to 0
}

// Converts the NUL-terminated `text` of `size` bytes, appending the result
// to `out`. The call asks the library to fail rather than cut the text; a
// failure that leaves no error code behind is such an overflow, and the
// text is converted again into a larger buffer.
bool LineConverter::Engine(const char* text, size_t size, Bytes* out, std::string* error) {
    const uint32_t flags = (backward_ ? ZEV_CONVERT_BACKWARD : 0u) | ZEV_CONVERT_FAIL_ON_OVERFLOW;
    uint64_t limit = kConverterLimit;
    if (limit < 2 * static_cast<uint64_t>(size) + 2) limit = 2 * static_cast<uint64_t>(size) + 2;
    for (;;) {
        if (limit > 0xFFFFFFFEu) {
            *error = "the converted line would exceed 4 GB";
            return false;
        }
        char* room = out->Room(static_cast<size_t>(limit) + 1);
        if (zevConvert(text, room, static_cast<uint32_t>(limit), level_, types_, flags)) {
            out->Used(strlen(room));
            return true;
        }
        if (zevGetZevLastError() != ZEV_ERR_NONE) {
            *error = LibraryFailure();
            return false;
        }
        limit *= 2;
    }
}

// The same for `size` bytes without a NUL at `text`, which is terminated for
// the call and given back as it was.
bool LineConverter::EngineInPlace(char* text, size_t size, Bytes* out, std::string* error) {
    const char after = text[size];
    text[size] = '\0';
    const bool ok = Engine(text, size, out, error);
    text[size] = after;
    return ok;
}

// Appends the UTF-8 form of the library's result; bytes without one are
// written as they are.
void LineConverter::ToUtf8(Pass& pass, const Bytes& cp932, const Place& place) {
    const char* at = cp932.data();
    size_t left = cp932.size();
    while (left > 0) {
        size_t written;
        const size_t used =
            codec_.DecodeRun(at, left, false, pass.out->Room(Cp932::DecodeRoom(left)), &written);
        pass.out->Used(written);
        at += used;
        left -= used;
        if (left == 0) break;
        if (!pass.report->undecodableLine)
            pass.report->undecodableLine = pass.LineOf(place.offset) + place.newlines +
                                           static_cast<size_t>(std::count(cp932.data(), at, '\n'));
        sawUndecodable = true;
        pass.out->Append(at++, 1);
        --left;
    }
}

// One call for `size` bytes of code page 932 text at `piece`, its result
// appended; false with `error` when the library refuses.
bool LineConverter::ConvertPiece(Pass& pass, char* piece, size_t size, const Place& place,
                                 std::string* error) {
    if (cp932_) return EngineInPlace(piece, size, pass.out, error);
    converted_.clear();
    if (!EngineInPlace(piece, size, &converted_, error)) return false;
    ToUtf8(pass, converted_, place);
    return true;
}

// A run of `size` bytes of code page 932 text, which began `offset` bytes
// into the text, one line at a time (a CR before the LF belongs to the line
// end).
bool LineConverter::ConvertByLine(Pass& pass, char* run, size_t size, size_t offset) {
    Place place{offset, 0};
    for (size_t start = 0; start < size; ++place.newlines) {
        const char* newline = static_cast<const char*>(memchr(run + start, '\n', size - start));
        const size_t next = newline ? static_cast<size_t>(newline - run) + 1 : size;
        size_t end = newline ? next - 1 : size;
        if (newline && end > start && run[end - 1] == '\r') --end;
        std::string error;
        if (end > start && !ConvertPiece(pass, run + start, end - start, place, &error))
            return pass.Fail(pass.LineOf(offset) + place.newlines, error);
        pass.out->Append(run + end, next - end);
        if (newline) pass.lineOut = pass.out->size();
        start = next;
    }
    return true;
}

bool LineConverter::ConvertRun(Pass& pass, char* run, size_t size, size_t offset) {
    if (pass.calls == Calls::kByLine) return ConvertByLine(pass, run, size, offset);
    const size_t before = pass.out->size();
    std::string error;
    if (ConvertPiece(pass, run, size, Place{offset, 0}, &error)) {
        pass.Added(pass.out->size() - before);
        return true;
    }
    pass.out->Resize(before);
    if (pass.calls == Calls::kWhole) return pass.Fail(pass.LineOf(offset), error);
    return ConvertByLine(pass, run, size, offset);
}

// Runs of characters that code page 932 holds are converted; everything
// else passes through unchanged, and no entry can match across it. NUL
// cannot go through: the library's texts end at it.
bool LineConverter::ConvertUtf8(Pass& pass, const char* text, size_t size) {
    auto nulFrom = [text, size](size_t at) {
        const void* found = memchr(text + at, '\0', size - at);
        return found ? static_cast<size_t>(static_cast<const char*>(found) - text) : size;
    };
    size_t nul = nulFrom(0);  // the first NUL at or after `at`, or `size`
    for (size_t at = 0; at < size;) {
        if (nul < at) nul = nulFrom(at);
        encoded_.clear();
        size_t written;
        const size_t used = codec_.EncodeRun(text + at, nul - at,
                                             encoded_.Room(Cp932::EncodeRoom(nul - at)), &written);
        encoded_.Used(written);
        if (used > 0 && !ConvertRun(pass, encoded_.data(), written, at)) return false;
        at += used;
        if (at == size) break;
        size_t length = Utf8CharLength(text + at, size - at);
        if (length == 0) {
            if (!pass.report->invalidLine) pass.report->invalidLine = pass.LineOf(at);
            sawInvalidInput = true;
            length = 1;
        }
        pass.out->Append(text + at, length);
        at += length;
    }
    return true;
}

// Code page 932 text goes to the library as it is; only NUL bytes, which
// would end it early, are kept out and passed through.
bool LineConverter::ConvertCp932(Pass& pass, char* text, size_t size) {
    for (size_t at = 0;;) {
        const void* found = memchr(text + at, '\0', size - at);
        const size_t end =
            found ? static_cast<size_t>(static_cast<const char*>(found) - text) : size;
        if (end > at && !ConvertRun(pass, text + at, end - at, at)) return false;
        if (!found) return true;
        pass.out->Append(text + end, 1);
        at = end + 1;
    }
}

bool LineConverter::ConvertText(char* text, size_t size, Calls calls, Bytes* out,
                                LinesReport* report) {
    Pass pass{text, calls, out, report, out->size()};
    return cp932_ ? ConvertCp932(pass, text, size) : ConvertUtf8(pass, text, size);
}

bool LineConverter::ConvertLines(char* text, size_t size, Bytes* out, LinesReport* report) {
    return ConvertText(text, size, spanLines_ ? Calls::kSpan : Calls::kByLine, out, report);
}

bool LineConverter::Convert(const std::string& line, std::string* out, std::string* error) {
    line_.assign(line.begin(), line.end());
    line_.push_back('\0');  // room for the terminator of the last run
    Bytes result;
    LinesReport report;
    // An empty line is one call too, as the converter program makes it.
    const bool ok = line.empty()
                        ? Engine("", 0, &result, &report.error)
                        : ConvertText(line_.data(), line.size(), Calls::kWhole, &result, &report);
    out->assign(result.data() ? result.data() : "", result.size());
    if (!ok) *error = report.error;
    return ok;
}

bool EntriesHoldLineEnds() {
    const int count = zevGetDataCount();
    char source[ZEV_TEXT_BUFFER], target[ZEV_TEXT_BUFFER];
    uint8_t level, types, condition;
    for (int slot = 1, seen = 0; slot <= ZEV_MAX_DATA && seen < count; ++slot) {
        if (!zevGetData(static_cast<uint16_t>(slot), source, &level, &types, &condition, target))
            continue;
        ++seen;
        if (strpbrk(source, "\r\n") || strpbrk(target, "\r\n")) return true;
    }
    return false;
}

}  // namespace zevtool
