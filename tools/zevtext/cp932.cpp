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

// The code point of a well-formed three-byte UTF-8 character at `p`
// (before `end`), false when the bytes there are not one. A surrogate
// passes: it has no form in the tables, as the full decoder would find.
inline bool ThreeByteCode(const uint8_t* p, const uint8_t* end, uint32_t* code) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (end - p >= 4) {  // the three bytes tested at once
        uint32_t word;
        memcpy(&word, p, 4);
        *code = (word & 0x0Fu) << 12 | (word & 0x3F00u) >> 2 | (word >> 16 & 0x3Fu);
        return (word & 0xC0C0F0u) == 0x8080E0u && *code >= 0x800;
    }
#endif
    if (end - p < 3) return false;
    *code = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    return (p[0] & 0xF0) == 0xE0 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80 &&
           *code >= 0x800;
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
        uint8_t form;  // the size in bits 0 and 1; bit 2 when it encodes back to other bytes
        unsigned size() const { return form & 3u; }
        bool inexact() const { return (form & kInexactForm) != 0; }
    };
    // The form of nearly every character of Japanese text: three bytes, exact.
    static const uint8_t kInexactForm = 4, kExactThree = 3;
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
        entry.form = 2;
        entry.utf8[0] = static_cast<char>(0xC0 | code >> 6);
    } else {
        entry.form = 3;
        entry.utf8[0] = static_cast<char>(0xE0 | code >> 12);
        entry.utf8[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    entry.utf8[entry.size() - 1] = static_cast<char>(0x80 | (code & 0x3F));
}

Cp932::Tables::Tables() : decoded(), encoded() {
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        decoded[byte].utf8[0] = static_cast<char>(byte);
        decoded[byte].form = 1;
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
    for (size_t i = 0; i < kInexactCount; ++i) decoded[kInexact[i]].form |= kInexactForm;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        if (kSingleByte[byte - 0x80] && !decoded[byte].inexact())
            encoded[kSingleByte[byte - 0x80]] = static_cast<uint16_t>(byte);
    row = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<uint8_t>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const uint16_t code = kDoubleByte[row * 189 + trail - 0x40];
            if (code && !decoded[lead << 8 | trail].inexact())
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
    if (entry.size() == 0 || (exact && entry.inexact())) return false;
    out->append(entry.utf8, entry.size());
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
        // Three bytes hold the characters of Japanese text, and their forms
        // are double-byte: a branch, not a select, on the size of the form,
        // so that where the next one goes does not wait for this look-up.
        uint32_t code;
        if (ThreeByteCode(p, end, &code)) {
            const uint16_t bytes = encoded[code];
            if (__builtin_expect(bytes > 0xFF, 1)) {
                o[0] = static_cast<char>(bytes >> 8);
                o[1] = static_cast<char>(bytes & 0xFF);
                o += 2;
            } else if (bytes != 0) {
                *o++ = static_cast<char>(bytes);
            } else {
                break;
            }
            p += 3;
            continue;
        }
        size_t length;
        code = NextCodePoint(p, static_cast<size_t>(end - p), &length);
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
        // A run of double-byte characters in a loop of its own, with
        // branches rather than selects on the size of the form, so that
        // where the next character is and where it goes do not wait for
        // this look-up: nearly every one has an exact form of three bytes.
        while (end - p >= 2 && IsLeadByte(p[0])) {
            const Tables::Decoded& entry = decoded[unsigned{p[0]} << 8 | p[1]];
            memcpy(o, &entry, 4);  // the fourth byte lands in the room to spare
            if (__builtin_expect(entry.form == Tables::kExactThree, 1)) {
                o += 3;
            } else {
                if (entry.size() == 0 || (exact && entry.inexact())) goto stopped;
                o += entry.size();
            }
            p += 2;
        }
        if (p == end || *p < 0x80) continue;
        {
            // A single byte above ASCII, or a lead byte with nothing after it.
            const Tables::Decoded& entry = decoded[*p];
            if (entry.size() == 0 || (exact && entry.inexact())) break;
            memcpy(o, &entry, 4);
            o += entry.size();
            ++p;
        }
    }
stopped:
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
