// What the page's script calls besides the library's own exports: a
// dictionary opened from bytes, texts in UTF-8, and the conversion of a whole
// text line by line through the same LineConverter as `zev convert`.
#include <emscripten/emscripten.h>
#include <errno.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "cp932.h"
#include "lineconvert.h"
#include "platform_memory.h"
#include "zev.h"

namespace {

// The open dictionary's file, and the one being opened in its place.
const char kCurrent[] = "current.zev";
const char kCandidate[] = "candidate.zev";

// The outcome of the last call, read back by the script.
struct Outcome {
    uint16_t errorCode = 0;
    std::string errorText;
    std::string result;
    bool undecodable = false;
    std::string display;
};
Outcome outcome;

// A code-page-932 text for display: bytes without a character become U+FFFD.
std::string DisplayText(const std::string& cp932) {
    const zevtool::Cp932 codec;
    std::string utf8;
    for (size_t at = codec.DecodeRun(cp932, 0, false, &utf8); at < cp932.size();
         at = codec.DecodeRun(cp932, at + 1, false, &utf8))
        utf8 += "\xEF\xBF\xBD";
    return utf8;
}

// Keeps the library's last error: its code and its own text (with the
// system's message for code 1), or `fallback` when the library has none.
int Fail(const std::string& fallback) {
    outcome.errorCode = zevGetZevLastError();
    if (outcome.errorCode == ZEV_ERR_NONE) {
        outcome.errorText = fallback;
        return 0;
    }
    char message[ZEV_TEXT_BUFFER] = {0};
    char system[ZEV_TEXT_BUFFER] = {0};
    zevGetZevErrorText(outcome.errorCode, message, system);
    outcome.errorText = DisplayText(message);
    if (system[0]) outcome.errorText += std::string(" (") + system + ")";
    return 0;
}

int Succeed() {
    outcome.errorCode = 0;
    outcome.errorText.clear();
    return 1;
}

}  // namespace

extern "C" {

// Opens a dictionary from its bytes as the converter program opens a file:
// the structural test first, then the read. On failure the dictionary open
// before stays open.
EMSCRIPTEN_KEEPALIVE int zevWebOpen(const uint8_t* bytes, uint32_t size) {
    if (!platform::PutMemoryFile(kCandidate, bytes, size)) {
        outcome.errorCode = ZEV_ERR_WIN32;
        outcome.errorText = strerror(ENOMEM);
        return 0;
    }
    if (!zevIsZevFormat(kCandidate)) {
        platform::DropMemoryFile(kCandidate);
        return Fail("");
    }
    if (zevIsOpen()) zevCloseDic();
    if (!zevOpenDic(kCandidate)) {
        Fail("");
        platform::DropMemoryFile(kCandidate);
        if (platform::HasMemoryFile(kCurrent)) zevOpenDic(kCurrent);
        return 0;
    }
    platform::RenameMemoryFile(kCandidate, kCurrent);
    return Succeed();
}

EMSCRIPTEN_KEEPALIVE uint32_t zevWebErrorCode(void) { return outcome.errorCode; }

EMSCRIPTEN_KEEPALIVE const char* zevWebErrorText(void) { return outcome.errorText.c_str(); }

// A code-page-932 text of the library (a name, the comment) in UTF-8.
EMSCRIPTEN_KEEPALIVE const char* zevWebDisplayText(const char* cp932) {
    outcome.display = DisplayText(cp932);
    return outcome.display.c_str();
}

// Converts a UTF-8 text of `size` bytes line by line, as `zev convert` does
// a file: each line's end is kept, characters that code page 932 cannot hold
// pass through. The result is read with zevWebResult and zevWebResultSize.
EMSCRIPTEN_KEEPALIVE int zevWebConvert(const char* text, uint32_t size, uint32_t level,
                                       uint32_t types, int backward) {
    outcome.result.clear();
    outcome.undecodable = false;
    if (!zevIsOpen() || zevGetDataCount() == 0) {
        // Refused before any line, as by `zev convert`, with the library's
        // own code for it (no dictionary, or no entries).
        zevConvert("", nullptr, 0, 0, 0, 0);
        return Fail("");
    }
    zevtool::Cp932 codec;
    zevtool::LineConverter converter(codec, static_cast<uint8_t>(level),
                                     static_cast<uint8_t>(types), backward != 0, false);
    std::string converted, error;
    for (size_t at = 0; at < size;) {
        const char* newline = static_cast<const char*>(memchr(text + at, '\n', size - at));
        const size_t length = newline ? static_cast<size_t>(newline - text) + 1 - at : size - at;
        const char* end;
        const size_t body = zevtool::LineBody(text + at, length, &end);
        if (!converter.Convert(std::string(text + at, body), &converted, &error)) {
            outcome.result.clear();
            return Fail(error);
        }
        outcome.result += converted;
        outcome.result += end;
        at += length;
    }
    outcome.undecodable = converter.sawUndecodable;
    return Succeed();
}

EMSCRIPTEN_KEEPALIVE const char* zevWebResult(void) { return outcome.result.data(); }

EMSCRIPTEN_KEEPALIVE uint32_t zevWebResultSize(void) {
    return static_cast<uint32_t>(outcome.result.size());
}

// Whether the last result held bytes from the dictionary that are not code
// page 932 text (passed through as they are).
EMSCRIPTEN_KEEPALIVE int zevWebResultUndecodable(void) { return outcome.undecodable; }

}  // extern "C"
