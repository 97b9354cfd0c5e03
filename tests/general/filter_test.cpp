// The filter conversion, byte for byte.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "filter.h"

namespace {

std::string Converted(const char* filter) {
    char buffer[HOBU_FILTER_BUFFER];
    memset(buffer, 0x55, sizeof buffer);
    ConvertFilter(filter, buffer);
    return std::string(buffer, sizeof buffer);
}

// The list as the dialog reads it: up to and including the double NUL.
std::string List(const std::string& converted) {
    size_t end = converted.find(std::string("\0\0", 2));
    EXPECT_NE(std::string::npos, end) << "no double NUL inside the buffer";
    return converted.substr(0, end + 2);
}

TEST(FilterTest, BarsBecomeNulsAndTheRestOfTheBufferIsZero) {
    std::string converted = Converted("A|*.a||");
    EXPECT_EQ(std::string("A\0*.a\0\0\0", 8), converted.substr(0, 8));
    EXPECT_EQ(std::string(HOBU_FILTER_BUFFER - 8, '\0'), converted.substr(8));
    EXPECT_EQ(std::string("テキスト (*.txt)\0*.txt;*.doc\0\0", 30),
              List(Converted("テキスト (*.txt)|*.txt;*.doc||")));
}

TEST(FilterTest, EmptyAndNullFiltersStayEmpty) {
    EXPECT_EQ(std::string(HOBU_FILTER_BUFFER, '\0'), Converted(""));
    EXPECT_EQ(std::string(HOBU_FILTER_BUFFER, '\0'), Converted(nullptr));
}

TEST(FilterTest, TrailByte0x7CIsNotASeparator) {
    // "ポ" is 0x83 0x7C and "−" 0x81 0x7C.
    EXPECT_EQ(std::string("\x83\x7C\0*.p\0\x81\x7C\0*\0\0", 13), List(Converted("ポ|*.p|−|*||")));
}

TEST(FilterTest, LongestFilterThatFitsIsKeptWhole) {
    // 1021 bytes of description and pattern plus "||": 1023 bytes in all.
    std::string filter = std::string(1015, 'd') + "|*.abc||";
    ASSERT_EQ(1023u, filter.size());
    std::string expected = filter;
    for (char& c : expected)
        if (c == '|') c = '\0';
    EXPECT_EQ(expected + '\0', Converted(filter.c_str()));
}

TEST(FilterTest, OverlongFilterKeepsWholePairsAndNeverOverruns) {
    std::string pair = "種類 (*.x)|*.x|";  // 15 bytes
    std::string filter;
    while (filter.size() < 5000) filter += pair;
    filter += "|";
    std::string converted = Converted(filter.c_str());
    size_t pairs = (HOBU_FILTER_BUFFER - 2) / pair.size();
    std::string expected;
    for (size_t i = 0; i < pairs; ++i) expected += std::string("種類 (*.x)\0*.x\0", 15);
    expected += '\0';
    EXPECT_EQ(expected, List(converted));
    EXPECT_EQ(std::string(HOBU_FILTER_BUFFER - expected.size(), '\0'),
              converted.substr(expected.size()));

    // A cut inside the first pair leaves nothing rather than half a pattern.
    std::string single = std::string(1100, 'd') + "|*.d||";
    EXPECT_EQ(std::string(HOBU_FILTER_BUFFER, '\0'), Converted(single.c_str()));
}

}  // namespace
