// Exact conversion between UTF-8 and code page 932.
//
// "Exact" means both ways: a UTF-8 character counts as one that code page
// 932 can hold only when its code-page-932 form decodes back to the same
// character. Characters such as U+00A5 (which iconv writes as 0x5C, a
// backslash) or U+301C (written as the bytes of U+FF5E) therefore count as
// characters that code page 932 cannot hold, so nothing is silently changed.
// The answers are those of glibc's iconv CP932, kept in tables
// (cp932_table.inc): every character is one lookup, with no allocation.
#ifndef ZEV_TOOL_CP932_H
#define ZEV_TOOL_CP932_H

#include <stddef.h>
#include <stdint.h>

#include <string>

namespace zevtool {

// True for the first byte of a double-byte character of code page 932.
inline bool IsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the UTF-8 character at `at` (1 to 4), or 0 when the bytes there
// are not well-formed UTF-8.
size_t Utf8CharLength(const std::string& text, size_t at);
// The same for the `left` bytes at `at`.
size_t Utf8CharLength(const char* at, size_t left);

// Length of the code-page-932 character at `at`: 2 for a lead byte followed
// by another byte, else 1.
inline size_t Cp932CharLength(const std::string& text, size_t at) {
    return IsLeadByte(static_cast<uint8_t>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The codec holds no state of its own: the tables are built once per
// process and shared by every instance.
class Cp932 {
public:
    Cp932();
    Cp932(const Cp932&) = delete;
    Cp932& operator=(const Cp932&) = delete;

    // Appends the code-page-932 form of the UTF-8 character of `length`
    // bytes at `at` (as Utf8CharLength gives it); false when it has no exact
    // form.
    bool EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out) const;
    // Appends the UTF-8 form of the code-page-932 character of `length`
    // bytes at `at` (as Cp932CharLength gives it); false when it does not
    // decode. With `exact`, a character that encodes back to other bytes (the
    // duplicates of the NEC and IBM extensions) counts as not decoding.
    bool DecodeChar(const std::string& cp932, size_t at, size_t length, bool exact,
                    std::string* out) const;

    // Runs: append the forms of the characters from `at` on, as far as each
    // converts as above, and return where they stopped (the text's size when
    // all did).
    size_t EncodeRun(const std::string& utf8, size_t at, std::string* out) const;
    size_t DecodeRun(const std::string& cp932, size_t at, bool exact, std::string* out) const;

    // The same runs over `size` bytes at `in`, written to `out`, which has
    // room for EncodeRoom or DecodeRoom bytes (a few more than the most they
    // write, as ASCII is copied eight bytes at a time); `*written` tells how
    // many they wrote. A character never reaches past the bytes given.
    static size_t EncodeRoom(size_t size) { return size + 8; }
    static size_t DecodeRoom(size_t size) { return 3 * size + 8; }
    size_t EncodeRun(const char* in, size_t size, char* out, size_t* written) const;
    size_t DecodeRun(const char* in, size_t size, bool exact, char* out, size_t* written) const;

    // Whole texts: false when any character fails as above.
    bool Encode(const std::string& utf8, std::string* cp932) const;
    bool Decode(const std::string& cp932, std::string* utf8) const;

private:
    struct Tables;
    static const Tables& SharedTables();
    // The bytes of the exact form of `code`, 0 when it has none.
    uint16_t Encoded(uint32_t code) const;

    const Tables& tables_;
};

}  // namespace zevtool

#endif
