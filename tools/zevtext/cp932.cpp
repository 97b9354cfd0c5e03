#include "cp932.h"

#include <string.h>

#include <memory>

#include "cp932_table.inc"

namespace zevtool {

namespace {

// The code point of the UTF-8 character at `at`, of which `left` bytes
// are there, and its length in `*length`, which is 0 when the bytes there
// are not well-formed UTF-8.
inline uint32_t NextCodePoint(const uint8_t* at, size_t left, size_t* length) {
    const uint8_t lead = at[0];
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
    if (size > left) return 0;
    uint32_t code = lead & (0x7F >> size);
    for (size_t i = 1; i < size; ++i) {
        if ((at[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (at[i] & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    *length = size;
    return code;
}

inline uint32_t NextCodePoint(const std::string& text, size_t at, size_t* length) {
    return NextCodePoint(reinterpret_cast<const uint8_t*>(text.data()) + at, text.size() - at,
                         length);
}

// Copies ASCII bytes at `*in` (before `end`), which are the same in both
// encodings: the eight from there, of which those before the first byte
// that is not ASCII count. The output has room for eight.
inline void CopyAscii(const uint8_t** in, const uint8_t* end, char** out) {
    const uint8_t* p = *in;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (end - p >= 8) {
        uint64_t word;
        memcpy(&word, p, 8);
        memcpy(*out, &word, 8);
        const uint64_t high = word & 0x8080808080808080ull;
        const size_t count = high ? static_cast<size_t>(__builtin_ctzll(high)) / 8 : 8;
        *in = p + count;
        *out += count;
        return;
    }
#endif
    *(*out)++ = static_cast<char>(*p);
    *in = p + 1;
}

}  // namespace

size_t Utf8CharLength(const std::string& text, size_t at) {
    size_t length;
    NextCodePoint(text, at, &length);
    return length;
}

size_t Utf8CharLength(const char* at, size_t left) {
    size_t length;
    NextCodePoint(reinterpret_cast<const uint8_t*>(at), left, &length);
    return length;
}

struct Cp932::Tables {
    // A character of code page 932 by its bytes as a number (the byte, or
    // lead << 8 | trail): its UTF-8 form, `size` 0 when there is none. Four
    // bytes, so that a run copies the form with one store of four.
    struct Decoded {
        char utf8[3];
        uint8_t size : 2;
        uint8_t inexact : 1;  // it encodes back to other bytes
    };
    static_assert(sizeof(Decoded) == 4, "one store of four");
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
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        decoded[byte].utf8[0] = static_cast<char>(byte);
        decoded[byte].size = 1;
    }
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
    for (size_t i = 0; i < kInexactCount; ++i) decoded[kInexact[i]].inexact = 1;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        if (kSingleByte[byte - 0x80] && !decoded[byte].inexact)
            encoded[kSingleByte[byte - 0x80]] = static_cast<uint16_t>(byte);
    row = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<uint8_t>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const uint16_t code = kDoubleByte[row * 189 + trail - 0x40];
            if (code && !decoded[lead << 8 | trail].inexact)
                encoded[code] = static_cast<uint16_t>(lead << 8 | trail);
        }
        ++row;
    }
}

const Cp932::Tables& Cp932::SharedTables() {
    static const std::unique_ptr<const Tables> tables(new Tables());
    return *tables;
}

Cp932::Cp932() : tables_(SharedTables()) {}

uint16_t Cp932::Encoded(uint32_t code) const {
    if (code < 0x80) return static_cast<uint16_t>(code);  // ASCII is the same in both
    return code <= 0xFFFF ? tables_.encoded[code] : 0;
}

bool Cp932::EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out) const {
    size_t found;
    const uint32_t code = NextCodePoint(utf8, at, &found);
    if (found == 0 || found != length) return false;
    const uint16_t bytes = Encoded(code);
    if (bytes == 0 && code != 0) return false;  // NUL is the one character encoded as 0
    if (bytes > 0xFF) out->push_back(static_cast<char>(bytes >> 8));
    out->push_back(static_cast<char>(bytes & 0xFF));
    return true;
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

size_t Cp932::EncodeRun(const char* in, size_t size, char* out, size_t* written) const {
    const uint16_t* const encoded = tables_.encoded;  // kept in a register while out is written
    const uint8_t* p = reinterpret_cast<const uint8_t*>(in);
    const uint8_t* const end = p + size;
    char* o = out;
    while (p < end) {
        if (*p < 0x80) {
            CopyAscii(&p, end, &o);
            continue;
        }
        // Three bytes hold the characters of Japanese text: they are read
        // and tested at once. The test is a branch, so that the next
        // character is read before this one is settled.
        if (end - p >= 3) {
            const unsigned b0 = p[0], b1 = p[1], b2 = p[2];
            const uint32_t code = (b0 & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
            if (((b0 & 0xF0) == 0xE0) & ((b1 & 0xC0) == 0x80) & ((b2 & 0xC0) == 0x80) &
                (code >= 0x800) & ((code & 0xF800) != 0xD800)) {
                const uint16_t bytes = encoded[code];
                if (bytes == 0) break;
                if (bytes > 0xFF) *o++ = static_cast<char>(bytes >> 8);
                *o++ = static_cast<char>(bytes & 0xFF);
                p += 3;
                continue;
            }
        }
        size_t length;
        const uint32_t code = NextCodePoint(p, static_cast<size_t>(end - p), &length);
        const uint16_t bytes = length != 0 && code <= 0xFFFF ? encoded[code] : 0;
        if (bytes == 0) break;
        if (bytes > 0xFF) *o++ = static_cast<char>(bytes >> 8);
        *o++ = static_cast<char>(bytes & 0xFF);
        p += length;
    }
    *written = static_cast<size_t>(o - out);
    return static_cast<size_t>(p - reinterpret_cast<const uint8_t*>(in));
}

size_t Cp932::DecodeRun(const char* in, size_t size, bool exact, char* out, size_t* written) const {
    const Tables::Decoded* const decoded = tables_.decoded;  // kept in a register
    const uint8_t* p = reinterpret_cast<const uint8_t*>(in);
    const uint8_t* const end = p + size;
    char* o = out;
    while (p < end) {
        if (*p < 0x80) {
            CopyAscii(&p, end, &o);
            continue;
        }
        // A branch, not a select, on the length, so that the next character
        // is read before this one is settled.
        const unsigned first = p[0];
        const bool pair = IsLeadByte(static_cast<uint8_t>(first)) && end - p >= 2;
        const Tables::Decoded& entry = decoded[pair ? first << 8 | p[1] : first];
        if (entry.size == 0 || (exact && entry.inexact)) break;
        memcpy(o, &entry, 4);  // the fourth byte lands in the room to spare
        o += entry.size;
        if (pair) {
            p += 2;
            continue;
        }
        ++p;
    }
    *written = static_cast<size_t>(o - out);
    return static_cast<size_t>(p - reinterpret_cast<const uint8_t*>(in));
}

size_t Cp932::EncodeRun(const std::string& utf8, size_t at, std::string* out) const {
    const size_t before = out->size();
    out->resize(before + EncodeRoom(utf8.size() - at));
    size_t written;
    const size_t used = EncodeRun(utf8.data() + at, utf8.size() - at, &(*out)[before], &written);
    out->resize(before + written);
    return at + used;
}

size_t Cp932::DecodeRun(const std::string& cp932, size_t at, bool exact, std::string* out) const {
    const size_t before = out->size();
    out->resize(before + DecodeRoom(cp932.size() - at));
    size_t written;
    const size_t used =
        DecodeRun(cp932.data() + at, cp932.size() - at, exact, &(*out)[before], &written);
    out->resize(before + written);
    return at + used;
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
