#include "lineconvert.h"

#include <string.h>

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

LineConverter::LineConverter(Cp932& codec, uint8_t level, uint8_t types, bool backward, bool cp932)
    : codec_(codec), level_(level), types_(types), backward_(backward), cp932_(cp932) {
    zevGetDataCount();  // resets the library's last error to 0
}

// Converts a text without NUL bytes. The call asks the library to fail
// rather than cut the text; a failure that leaves no error code behind is
// such an overflow, and the text is converted again into a larger buffer.
bool LineConverter::Engine(const std::string& text, std::string* out, std::string* error) {
    const uint32_t flags = (backward_ ? ZEV_CONVERT_BACKWARD : 0u) | ZEV_CONVERT_FAIL_ON_OVERFLOW;
    uint64_t limit = kConverterLimit;
    if (limit < 2 * static_cast<uint64_t>(text.size()) + 2) limit = 2 * text.size() + 2;
    for (;;) {
        if (limit > 0xFFFFFFFEu) {
            *error = "the converted line would exceed 4 GB";
            return false;
        }
        buffer_.resize(static_cast<size_t>(limit) + 1);
        if (zevConvert(text.c_str(), buffer_.data(), static_cast<uint32_t>(limit), level_, types_,
                       flags)) {
            out->assign(buffer_.data(), strlen(buffer_.data()));
            return true;
        }
        if (zevGetZevLastError() != ZEV_ERR_NONE) {
            *error = LibraryFailure();
            return false;
        }
        limit *= 2;
    }
}

// Whether the UTF-8 character at `at` can go through code page 932 and come
// back unchanged. NUL cannot: the library's texts end at it.
bool LineConverter::Holdable(const std::string& utf8, size_t at, size_t length) {
    std::string bytes;
    return length > 0 && utf8[at] != '\0' && codec_.EncodeChar(utf8, at, length, &bytes);
}

void LineConverter::ToUtf8(const std::string& cp932, std::string* out) {
    for (size_t at = 0; at < cp932.size();) {
        const size_t length = Cp932CharLength(cp932, at);
        if (codec_.DecodeChar(cp932, at, length, false, out)) {
            at += length;
        } else {
            out->push_back(cp932[at++]);
            sawUndecodable = true;
        }
    }
}

// Runs of characters that code page 932 holds are converted; everything
// else passes through unchanged, and no entry can match across it.
bool LineConverter::ConvertUtf8(const std::string& line, std::string* out, std::string* error) {
    std::string cp932;
    std::string converted;
    if (line.find('\0') == std::string::npos && codec_.Encode(line, &cp932)) {
        if (!Engine(cp932, &converted, error)) return false;
        ToUtf8(converted, out);
        return true;
    }
    std::string run;
    for (size_t at = 0; at <= line.size();) {
        const size_t length = at < line.size() ? Utf8CharLength(line, at) : 0;
        const bool holdable = at < line.size() && Holdable(line, at, length);
        if (holdable) {
            run.append(line, at, length);
            at += length;
            continue;
        }
        if (!run.empty()) {
            if (!codec_.Encode(run, &cp932)) {
                *error = "a character could not be converted to code page 932";
                return false;
            }
            if (!Engine(cp932, &converted, error)) return false;
            ToUtf8(converted, out);
            run.clear();
        }
        if (at == line.size()) break;
        if (length == 0) sawInvalidInput = true;
        const size_t step = length == 0 ? 1 : length;
        out->append(line, at, step);
        at += step;
    }
    return true;
}

bool LineConverter::Convert(const std::string& line, std::string* out, std::string* error) {
    out->clear();
    if (!cp932_) return ConvertUtf8(line, out, error);
    // Code page 932 text goes to the library as it is; only NUL bytes,
    // which would end it early, are kept out and passed through.
    size_t start = 0;
    for (;;) {
        const size_t nul = line.find('\0', start);
        std::string converted;
        if (!Engine(line.substr(start, nul - start), &converted, error)) return false;
        *out += converted;
        if (nul == std::string::npos) return true;
        out->push_back('\0');
        start = nul + 1;
    }
}

}  // namespace zevtool
