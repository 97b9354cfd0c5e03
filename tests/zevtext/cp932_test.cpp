// The table-driven codec gives, for every character, the answers of the
// iconv-based codec it replaced.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cp932.h"
#include "cp932_iconv.h"

namespace {

using zevtest::IconvCp932;
using zevtool::Cp932;

std::string Utf8(uint32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    if (code >= 0x80) out += static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

// Both codecs on one character: the same answer and the same bytes appended.
void ExpectSameDecode(Cp932& codec, IconvCp932& oracle, const std::string& bytes, bool exact) {
    std::string got = "<", want = "<";
    const bool ok = codec.DecodeChar(bytes, 0, bytes.size(), exact, &got);
    ASSERT_EQ(oracle.DecodeChar(bytes, 0, bytes.size(), exact, &want), ok)
        << std::hex << "bytes " << (static_cast<unsigned>(static_cast<uint8_t>(bytes[0])))
        << (bytes.size() > 1 ? static_cast<unsigned>(static_cast<uint8_t>(bytes[1])) : 0u)
        << " exact " << exact;
    ASSERT_EQ(want, got);
}

TEST(Cp932, DecodesEveryCodeAsIconv) {
    Cp932 codec;
    IconvCp932 oracle;
    for (unsigned first = 0; first <= 0xFF; ++first) {
        for (bool exact : {false, true}) {
            ExpectSameDecode(codec, oracle, std::string(1, static_cast<char>(first)), exact);
            if (!zevtool::IsLeadByte(static_cast<uint8_t>(first))) continue;
            for (unsigned second = 0; second <= 0xFF; ++second)
                ExpectSameDecode(codec, oracle,
                                 {static_cast<char>(first), static_cast<char>(second)}, exact);
        }
    }
}

TEST(Cp932, EncodesEveryScalarValueAsIconv) {
    Cp932 codec;
    IconvCp932 oracle;
    size_t encodable = 0;
    for (uint32_t code = 0; code <= 0x10FFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        const std::string utf8 = Utf8(code);
        std::string got = "<", want = "<";
        const bool ok = codec.EncodeChar(utf8, 0, utf8.size(), &got);
        ASSERT_EQ(oracle.EncodeChar(utf8, 0, utf8.size(), &want), ok) << std::hex << code;
        ASSERT_EQ(want, got) << std::hex << code;
        encodable += ok;
    }
    EXPECT_GT(encodable, 7000u);  // the tables were not empty
}

bool DecodesWhole(IconvCp932& oracle, const std::string& text) {
    std::string ignored;
    for (size_t at = 0; at < text.size(); at += zevtool::Cp932CharLength(text, at))
        if (!oracle.DecodeChar(text, at, zevtool::Cp932CharLength(text, at), true, &ignored))
            return false;
    return true;
}

// Random texts of characters from every class, with malformed UTF-8 and
// lone lead bytes among them: the runs stop where the character-by-character
// oracle first fails, having appended the same bytes.
TEST(Cp932, RunsStopAtTheFirstCharacterThatFails) {
    const std::vector<std::string> pieces = {"a",
                                             "ASCII, eight at a time",
                                             std::string("x\0y", 3),
                                             "\\",
                                             "~",
                                             std::string(1, '\0'),
                                             "ｱ",
                                             "あ",
                                             "漢",
                                             "～",
                                             "∵",
                                             "纊",
                                             "ⅰ",
                                             "￢",
                                             "¥",
                                             "〜",
                                             "😀",
                                             "\xC0\xAF",
                                             "\xE3\x81",
                                             "\x80",
                                             "\xED\xA0\x80",
                                             "\x82",
                                             "\xFD",
                                             "\x81\x7F",
                                             "\x82\xA0",
                                             "\x87\x40",
                                             "\xED\x40",
                                             "\xFA\x40",
                                             "\xFA\x55",
                                             "\x81\x5F",
                                             "\xA0"};
    Cp932 codec;
    IconvCp932 oracle;
    std::mt19937 rng(932);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i) text += pieces[rng() % pieces.size()];
        const size_t start = text.empty() ? 0 : rng() % text.size();
        std::string encoded = "<", want = "<";
        size_t at = start;
        while (at < text.size()) {
            const size_t length = zevtool::Utf8CharLength(text, at);
            if (length == 0 || !oracle.EncodeChar(text, at, length, &want)) break;
            at += length;
        }
        ASSERT_EQ(at, codec.EncodeRun(text, start, &encoded)) << text;
        ASSERT_EQ(want, encoded);
        std::string whole;
        ASSERT_EQ(start == 0 && at == text.size(), start == 0 && codec.Encode(text, &whole));
        for (bool exact : {false, true}) {
            std::string decoded = "<", expected = "<";
            size_t from = start;
            while (from < text.size()) {
                const size_t length = zevtool::Cp932CharLength(text, from);
                if (!oracle.DecodeChar(text, from, length, exact, &expected)) break;
                from += length;
            }
            ASSERT_EQ(from, codec.DecodeRun(text, start, exact, &decoded)) << text;
            ASSERT_EQ(expected, decoded);
        }
        ASSERT_EQ(start == 0 && DecodesWhole(oracle, text),
                  start == 0 && codec.Decode(text, &whole));
    }
}

}  // namespace
