#include "cp932.h"

#include <memory>

#include "cp932_table.inc"

namespace zevtool {

namespace {

// The code point of the UTF-8 character at `at` and its length in
// `*length`, which is 0 when the bytes there are not well-formed UTF-8.
uint32_t NextCodePoint(const std::string& text, size_t at, size_t* length) {
    const uint8_t lead = static_cast<uint8_t>(text[at]);
    uint32_t lowest;
    *length = 0;
    if (lead < 0x80) {
        *length = 1;
        return lead;
    }
    size_t size;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + size > text.size()) return 0;
    uint32_t code = lead & (0x7F >> size);
    for (size_t i = 1; i < size; ++i) {
        const uint8_t next = static_cast<uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    *length = size;
    return code;
}

}  // namespace

size_t Utf8CharLength(const std::string& text, size_t at) {
    size_t length;
    NextCodePoint(text, at, &length);
    return length;
}

struct Cp932::Tables {
    // A character of code page 932 by its bytes as a number (the byte, or
    // lead << 8 | trail): its UTF-8 form, `size` 0 when there is none.
    struct Decoded {
        uint8_t size;
        bool inexact;  // it encodes back to other bytes
        char utf8[3];
    };
    Decoded decoded[0x10000];
    // A character of the BMP (code page 932 has none beyond it) by its code
    // point: the bytes of its exact form as above, 0 when it has none. ASCII
    // is not looked up.
    uint16_t encoded[0x10000];

    Tables();
    void Add(unsigned bytes, uint16_t code);
};

void Cp932::Tables::Add(unsigned bytes, uint16_t code) {
    Decoded& entry = decoded[bytes];
    if (code < 0x800) {
        entry.size = 2;
        entry.utf8[0] = static_cast<char>(0xC0 | code >> 6);
    } else {
        entry.size = 3;
        entry.utf8[0] = static_cast<char>(0xE0 | code >> 12);
        entry.utf8[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    entry.utf8[entry.size - 1] = static_cast<char>(0x80 | (code & 0x3F));
}

Cp932::Tables::Tables() : decoded(), encoded() {
    for (unsigned byte = 0; byte < 0x80; ++byte)
        decoded[byte] = {1, false, {static_cast<char>(byte)}};
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        if (kSingleByte[byte - 0x80]) Add(byte, kSingleByte[byte - 0x80]);
    size_t row = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<uint8_t>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const uint16_t code = kDoubleByte[row * 189 + trail - 0x40];
            if (code) Add(lead << 8 | trail, code);
        }
        ++row;
    }
    for (size_t i = 0; i < kInexactCount; ++i) decoded[kInexact[i]].inexact = true;
    for (unsigned bytes = 0x80; bytes <= 0xFFFF; ++bytes) {
        const Decoded& entry = decoded[bytes];
        if (entry.size == 0 || entry.inexact) continue;
        size_t length;
        const std::string utf8(entry.utf8, entry.size);
        encoded[NextCodePoint(utf8, 0, &length)] = static_cast<uint16_t>(bytes);
    }
}

const Cp932::Tables& Cp932::SharedTables() {
    static const std::unique_ptr<const Tables> tables(new Tables());
    return *tables;
}

Cp932::Cp932() : tables_(SharedTables()) {}

bool Cp932::AppendEncoded(uint32_t code, std::string* out) const {
    if (code < 0x80) {  // ASCII is the same in both
        out->push_back(static_cast<char>(code));
        return true;
    }
    const uint16_t bytes = code <= 0xFFFF ? tables_.encoded[code] : 0;
    if (bytes == 0) return false;
    if (bytes > 0xFF) out->push_back(static_cast<char>(bytes >> 8));
    out->push_back(static_cast<char>(bytes & 0xFF));
    return true;
}

bool Cp932::EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out) const {
    size_t found;
    const uint32_t code = NextCodePoint(utf8, at, &found);
    return found != 0 && found == length && AppendEncoded(code, out);
}

bool Cp932::DecodeChar(const std::string& cp932, size_t at, size_t length, bool exact,
                       std::string* out) const {
    const uint8_t first = static_cast<uint8_t>(cp932[at]);
    const unsigned index =
        length == 1 ? first : (unsigned{first} << 8) | static_cast<uint8_t>(cp932[at + 1]);
    const Tables::Decoded& entry = tables_.decoded[index];
    if (entry.size == 0 || (exact && entry.inexact)) return false;
    out->append(entry.utf8, entry.size);
    return true;
}

size_t Cp932::EncodeRun(const std::string& utf8, size_t at, std::string* out) const {
    while (at < utf8.size()) {
        size_t length;
        const uint32_t code = NextCodePoint(utf8, at, &length);
        if (length == 0 || !AppendEncoded(code, out)) break;
        at += length;
    }
    return at;
}

size_t Cp932::DecodeRun(const std::string& cp932, size_t at, bool exact, std::string* out) const {
    while (at < cp932.size()) {
        const size_t length = Cp932CharLength(cp932, at);
        if (!DecodeChar(cp932, at, length, exact, out)) break;
        at += length;
    }
    return at;
}

bool Cp932::Encode(const std::string& utf8, std::string* cp932) const {
    cp932->clear();
    return EncodeRun(utf8, 0, cp932) == utf8.size();
}

bool Cp932::Decode(const std::string& cp932, std::string* utf8) const {
    utf8->clear();
    return DecodeRun(cp932, 0, true, utf8) == cp932.size();
}

}  // namespace zevtool
