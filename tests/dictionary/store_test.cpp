// The dictionary store: slots, names, footer, sizes and error codes.
#include <string.h>

#include <string>

#include "zev_fixture.h"

namespace {

using StoreTest = ZevTest;

std::string Repeat(char c, size_t count) { return std::string(count, c); }

uint16_t AddEntry(const char* source, const char* target, uint8_t level = 1, uint8_t mask = 1) {
    return zevCreateData(source, level, mask, 0, target);
}

TEST_F(StoreTest, NewEntriesTakeTheLowestFreeSlot) {
    CreateSmall();
    EXPECT_EQ(1, AddEntry("a", "x"));
    EXPECT_EQ(2, AddEntry("b", "y"));
    EXPECT_EQ(3, AddEntry("c", "z"));
    ASSERT_EQ(1, zevRemoveData(2));
    EXPECT_EQ(2, AddEntry("d", "w"));
    EXPECT_EQ(4, AddEntry("e", "v"));
    EXPECT_EQ(4, zevGetDataCount());
    ASSERT_EQ(1, zevRemoveData(3));
    ASSERT_EQ(1, zevRemoveData(1));
    EXPECT_EQ(1, AddEntry("f", "u"));
    EXPECT_EQ(3, AddEntry("g", "t"));
}

TEST_F(StoreTest, FullTableRefusesAndReusesARemovedSlot) {
    CreateSmall();
    for (int i = 1; i <= ZEV_MAX_DATA; ++i) ASSERT_EQ(i, AddEntry("s", "t"));
    EXPECT_EQ(0, AddEntry("s", "t"));
    EXPECT_EQ(ZEV_ERR_NO_FREE_SLOT, zevGetZevLastError());
    EXPECT_EQ(ZEV_MAX_DATA, zevGetDataCount());
    ASSERT_EQ(1, zevRemoveData(100));
    EXPECT_EQ(100, AddEntry("s", "t"));
    EXPECT_EQ(0, AddEntry("s", "t"));
    EXPECT_EQ(ZEV_ERR_NO_FREE_SLOT, zevGetZevLastError());
    ASSERT_EQ(1, zevRemoveData(ZEV_MAX_DATA));
    EXPECT_EQ(ZEV_MAX_DATA, AddEntry("s", "t"));
}

TEST_F(StoreTest, CreateDataChecksLessThanUpdateData) {
    CreateSmall(3, 3);
    // Create takes a level above the count and type bits beyond it...
    uint16_t slot = zevCreateData("s", 9, 0xF0, 7, "t");
    ASSERT_EQ(1, slot);
    uint8_t level = 0, mask = 0, condition = 0;
    ASSERT_EQ(1, zevGetData(slot, nullptr, &level, &mask, &condition, nullptr));
    EXPECT_EQ(9, level);
    EXPECT_EQ(0xF0, mask);
    EXPECT_EQ(7, condition);
    // ...but not a zero mask, a zero level or a missing text.
    EXPECT_EQ(0, zevCreateData("s", 1, 0, 0, "t"));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevCreateData("s", 0, 1, 0, "t"));
    EXPECT_EQ(0, zevCreateData(nullptr, 1, 1, 0, "t"));
    EXPECT_EQ(0, zevCreateData("s", 1, 1, 0, nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());

    // Update refuses both, but takes a zero mask.
    EXPECT_EQ(0, zevUpdateData(slot, "s", 4, 1, 0, "t"));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevUpdateData(slot, "s", 1, 8, 0, "t"));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(1, zevUpdateData(slot, "s", 3, 7, 1, "t"));
    EXPECT_EQ(1, zevUpdateData(slot, "u", 1, 0, 0, "v"));
    char source[256], target[256];
    ASSERT_EQ(1, zevGetData(slot, source, &level, &mask, &condition, target));
    EXPECT_STREQ("u", source);
    EXPECT_STREQ("v", target);
    EXPECT_EQ(0, mask);
    EXPECT_EQ(1, zevGetDataCount());
}

TEST_F(StoreTest, LargestTypeMaskFollowsTheTypeCount) {
    struct Case {
        uint8_t types;
        uint8_t largest;
    };
    for (Case c : {Case{1, 1}, Case{2, 3}, Case{3, 7}, Case{7, 127}, Case{8, 255}, Case{9, 255}}) {
        ASSERT_EQ(1, zevCreateDic("A", "B", 1, c.types));
        uint16_t slot = AddEntry("s", "t");
        EXPECT_EQ(1, zevUpdateData(slot, "s", 1, c.largest, 0, "t")) << int(c.types);
        if (c.largest != 255) {
            EXPECT_EQ(0, zevUpdateData(slot, "s", 1, c.largest + 1, 0, "t")) << int(c.types);
        }
        zevCloseDic();
    }
}

TEST_F(StoreTest, ErrorCodesComeInTheirOrder) {
    char buffer[256];
    // Closed: range tests that come first still win.
    EXPECT_EQ(0, zevUpdateData(0, "s", 1, 1, 0, "t"));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(0, zevRemoveData(ZEV_MAX_DATA + 1));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(0, zevGetData(0, buffer, nullptr, nullptr, nullptr, buffer));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevIsDataEnabled(0));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevGetLevelName(1, buffer));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(0, zevCreateData("s", 1, 1, 0, "t"));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevGetBeforeName(buffer));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevSetLevelAndType("x", 1, nullptr, 0));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevUpdateFooter(1, 0, 0, nullptr, 0, nullptr));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());

    CreateSmall();
    EXPECT_EQ(0, zevCreateDic("A", "B", 1, 1));
    EXPECT_EQ(ZEV_ERR_ALREADY_OPEN, zevGetZevLastError());
    ASSERT_EQ(1, AddEntry("s", "t"));
    // A free slot: "not enabled" is a parameter error, reading it is code 9.
    EXPECT_EQ(0, zevIsDataEnabled(2));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevGetData(2, buffer, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ZEV_ERR_NO_DATA_AT_INDEX, zevGetZevLastError());
    EXPECT_EQ(0, zevRemoveData(2));
    EXPECT_EQ(ZEV_ERR_NO_DATA_AT_INDEX, zevGetZevLastError());
    EXPECT_EQ(0, zevUpdateData(2, "s", 1, 1, 0, "t"));
    EXPECT_EQ(ZEV_ERR_NO_DATA_AT_INDEX, zevGetZevLastError());
    EXPECT_EQ(0, zevIsDataEnabled(ZEV_MAX_DATA + 1));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(1, zevIsDataEnabled(1));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    EXPECT_EQ(0, zevGetBeforeName(nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevGetLevelName(1, nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevGetTypeName(4, nullptr));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
}

TEST_F(StoreTest, CountsWorkClosedAndResetTheError) {
    char buffer[256];
    zevGetBeforeName(buffer);
    ASSERT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevGetDataCount());
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    zevGetBeforeName(buffer);
    EXPECT_EQ(0, zevGetLevelCount());
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    zevGetBeforeName(buffer);
    EXPECT_EQ(0, zevGetTypeCount());
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    // zevIsOpen leaves the last error alone.
    zevGetBeforeName(buffer);
    EXPECT_EQ(0, zevIsOpen());
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());

    CreateSmall(4, 5);
    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ(4, zevGetLevelCount());
    EXPECT_EQ(5, zevGetTypeCount());
    AddEntry("s", "t");
    EXPECT_EQ(1, zevCloseDic());
    EXPECT_EQ(0, zevCloseDic());
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(0, zevGetDataCount());
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    EXPECT_EQ(0, zevGetLevelCount());
}

TEST_F(StoreTest, CreateDicChecksItsNames) {
    std::string longest = Repeat('n', 255);
    std::string tooLong = Repeat('n', 256);
    EXPECT_EQ(0, zevCreateDic(tooLong.c_str(), "B", 1, 1));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevCreateDic("A", tooLong.c_str(), 1, 1));
    EXPECT_EQ(0, zevCreateDic("", "B", 1, 1));
    EXPECT_EQ(0, zevCreateDic("A", "", 1, 1));
    EXPECT_EQ(0, zevCreateDic("A", "B", 0, 1));
    EXPECT_EQ(0, zevCreateDic("A", "B", 1, 0));
    EXPECT_EQ(0, zevCreateDic(nullptr, "B", 1, 1));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevIsOpen());

    ASSERT_EQ(1, zevCreateDic(longest.c_str(), longest.c_str(), 255, 255));
    char buffer[256];
    ASSERT_EQ(1, zevGetBeforeName(buffer));
    EXPECT_EQ(longest, buffer);
    ASSERT_EQ(1, zevGetAfterName(buffer));
    EXPECT_EQ(longest, buffer);
}

TEST_F(StoreTest, NewDictionaryHasDefaultFooterAndEmptyNames) {
    ASSERT_EQ(1, zevCreateDic("標準語", "関西弁", 3, 2));
    uint8_t major = 9, minor = 9, revision = 9;
    uint16_t year = 9;
    char comment[256] = "x", holder[256] = "x";
    ASSERT_EQ(1, zevGetFooter(&major, &minor, &revision, comment, &year, holder));
    EXPECT_EQ(1, major);
    EXPECT_EQ(0, minor);
    EXPECT_EQ(0, revision);
    EXPECT_EQ(0, year);
    EXPECT_STREQ("", comment);
    EXPECT_STREQ("", holder);
    for (uint8_t level = 1; level <= 3; ++level) {
        char name[256] = "x";
        ASSERT_EQ(1, zevGetLevelName(level, name));
        EXPECT_STREQ("", name);
    }
    char name[256];
    EXPECT_EQ(0, zevGetLevelName(4, name));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(0, zevGetLevelName(0, name));
    ASSERT_EQ(1, zevGetBeforeName(name));
    EXPECT_STREQ("標準語", name);
}

TEST_F(StoreTest, LongTextsAreCutTo255Bytes) {
    CreateSmall();
    std::string source = Repeat('s', 300);
    std::string target = Repeat('t', 10);
    uint16_t slot = zevCreateData(source.c_str(), 1, 1, 0, target.c_str());
    ASSERT_EQ(1, slot);
    char buffer[256];
    ASSERT_EQ(1, zevGetData(slot, buffer, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(Repeat('s', 255), buffer);

    ASSERT_EQ(1, zevUpdateFooter(2, 3, 4, source.c_str(), 2024, source.c_str()));
    char comment[256], holder[256];
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, comment, nullptr, holder));
    EXPECT_EQ(Repeat('s', 255), comment);
    EXPECT_EQ(Repeat('s', 255), holder);
    ASSERT_EQ(1, zevUpdateFooter(2, 3, 4, nullptr, 2024, nullptr));
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, comment, nullptr, holder));
    EXPECT_STREQ("", comment);
    EXPECT_STREQ("", holder);
}

TEST_F(StoreTest, SetLevelAndTypeTestsBothNamesBeforeWriting) {
    CreateSmall(3, 2);
    char name[256];
    ASSERT_EQ(1, zevSetLevelAndType("初級", 1, "名詞", 2));
    std::string tooLong = Repeat('n', 256);
    // A bad name on one side keeps the good one on the other from being written.
    EXPECT_EQ(0, zevSetLevelAndType("上級", 3, tooLong.c_str(), 1));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevSetLevelAndType("上級", 3, "", 1));
    EXPECT_EQ(0, zevSetLevelAndType("上級", 0, "動詞", 1));
    EXPECT_EQ(0, zevSetLevelAndType("上級", 3, "動詞", 3));
    EXPECT_EQ(0, zevSetLevelAndType("上級", 4, nullptr, 0));
    ASSERT_EQ(1, zevGetLevelName(3, name));
    EXPECT_STREQ("", name);
    ASSERT_EQ(1, zevGetTypeName(1, name));
    EXPECT_STREQ("", name);
    // A null name leaves its side alone and its number untested.
    EXPECT_EQ(1, zevSetLevelAndType(nullptr, 200, "動詞", 1));
    EXPECT_EQ(1, zevSetLevelAndType("上級", 3, nullptr, 200));
    EXPECT_EQ(1, zevSetLevelAndType(nullptr, 0, nullptr, 0));
    ASSERT_EQ(1, zevGetLevelName(1, name));
    EXPECT_STREQ("初級", name);
    ASSERT_EQ(1, zevGetLevelName(3, name));
    EXPECT_STREQ("上級", name);
    ASSERT_EQ(1, zevGetTypeName(1, name));
    EXPECT_STREQ("動詞", name);
    ASSERT_EQ(1, zevGetTypeName(2, name));
    EXPECT_STREQ("名詞", name);
}

TEST_F(StoreTest, SetLevelAndTypeRefusesAHeaderBeyond65535Bytes) {
    // 255 levels and 255 types with 255-byte names would need 131,074 bytes.
    // With empty names the header holds 516 bytes; each 255-byte name adds
    // 255, so 254 of them fit (65,286) and the 255th would make 65,541.
    ASSERT_EQ(1, zevCreateDic("A", "B", 255, 255));
    std::string name = Repeat('n', 255);
    int accepted = 0;
    for (int i = 1; i <= 255; ++i) accepted += zevSetLevelAndType(name.c_str(), i, nullptr, 0);
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    for (int i = 1; i <= 255; ++i) accepted += zevSetLevelAndType(nullptr, 0, name.c_str(), i);
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(254, accepted);
    char buffer[256];
    ASSERT_EQ(1, zevGetLevelName(255, buffer));
    EXPECT_STREQ("", buffer);
    ASSERT_EQ(1, zevGetTypeName(1, buffer));
    EXPECT_STREQ("", buffer);
    // A shorter name still fits where the long one did not; at the boundary a header
    // of exactly 65,535 bytes is accepted and one of 65,536 refused.
    EXPECT_EQ(1, zevSetLevelAndType("t", 255, nullptr, 0));
    EXPECT_EQ(0, zevSetLevelAndType(Repeat('m', 250).c_str(), 255, nullptr, 0));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    ASSERT_EQ(1, zevSetLevelAndType(Repeat('m', 249).c_str(), 255, nullptr, 0));
    std::string path = testfiles::Path("largest-header.zev");
    ASSERT_EQ(1, zevSaveDic(path.c_str()));
    std::vector<uint8_t> bytes = testfiles::Read(path);
    ASSERT_GT(bytes.size(), 13u);
    EXPECT_EQ(0xFF, bytes[11]);
    EXPECT_EQ(0xFF, bytes[12]);
    EXPECT_EQ(8u + 3 + 2 + 65535 + 3 + 4 + 2 + 3 + 2 + 7, bytes.size());
}

TEST_F(StoreTest, ErrorTextsAreTheExactBytes) {
    static const char* const expected[] = {
        "\xB4\xD7\xB0\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42",
        "\x57\x69\x6E\x33\x32\x41\x50\x49\x82\xCC\xB4\xD7\xB0\x82\xC5\x82\xB7\x81\x42",
        "\x8E\xAB\x8F\x91\x82\xAA\xB5\xB0\xCC\xDF\xDD\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC"
        "\x82\xB9\x82\xF1\x81\x42",
        "\x8E\xAB\x8F\x91\x82\xAA\x82\xB7\x82\xC5\x82\xC9\xB5\xB0\xCC\xDF\xDD\x82\xB3\x82\xEA"
        "\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42",
        "\x95\xCF\x8A\xB7\xC3\xDE\xB0\xC0\x82\xCD\x8B\xF3\x82\xC5\x82\xB7\x81\x42",
        "\x95\xCF\x8A\xB7\xC3\xDE\xB0\xC0\x82\xF0\x93\x6F\x98\x5E\x82\xB7\x82\xE9\x97\xCC\x88"
        "\xE6\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42",
        "\xCA\xDF\xD7\xD2\xB0\xC0\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8\x82\xDC\x82"
        "\xB9\x82\xF1\x81\x42",
        "\xB2\xDD\xC3\xDE\xAF\xB8\xBD\x82\xAA\x97\x4C\x8C\xF8\x94\xCD\x88\xCD\x82\xC9\x82\xA0"
        "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42",
        "\x8E\xAB\x8F\x91\x82\xCC\x90\xDD\x92\xE8\x82\xCD\xB7\xAC\xDD\xBE\xD9\x82\xB3\x82\xEA"
        "\x82\xDC\x82\xB5\x82\xBD\x81\x42",
        "\x8E\x77\x92\xE8\x82\xB3\x82\xEA\x82\xBD\x97\xCC\x88\xE6\x82\xC9\x82\xCD\x95\xCF\x8A"
        "\xB7\xC3\xDE\xB0\xC0\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42",
        "\xD2\xD3\xD8\x82\xCC\x8A\x4A\x95\xFA\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5"
        "\x82\xBD\x81\x42",
        "\xCC\xAB\xB0\xCF\xAF\xC4\x82\xAA\x96\xB3\x8C\xF8\x82\xC5\x82\xB7\x81\x42",
    };
    size_t longest = 0;
    for (uint16_t code = 0; code < 12; ++code) {
        char message[256];
        memset(message, 'x', sizeof message);
        uint16_t length = zevGetZevErrorText(code, message, nullptr);
        EXPECT_STREQ(expected[code], message) << "code " << code;
        EXPECT_EQ(strlen(expected[code]), length) << "code " << code;
        if (length > longest) longest = length;
    }
    EXPECT_EQ(42u, longest);
}

TEST_F(StoreTest, ErrorTextOutsideTheTableAndWithNullBuffers) {
    char message[256] = "untouched";
    EXPECT_EQ(9, zevGetZevErrorText(12, message, nullptr));
    EXPECT_STREQ("untouched", message);
    EXPECT_EQ(0, zevGetZevErrorText(0, nullptr, nullptr));
    // Reading the error text does not change the last error.
    zevCloseDic();
    zevGetZevErrorText(0, message, nullptr);
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
}

TEST_F(StoreTest, SwapExchangesEntriesAndChecksBothSlots) {
    EXPECT_EQ(0, zevSwapPointer(1, 2));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    CreateSmall();
    AddEntry("a", "x");
    AddEntry("b", "y");
    EXPECT_EQ(0, zevSwapPointer(0, 1));
    EXPECT_EQ(ZEV_ERR_INDEX_RANGE, zevGetZevLastError());
    EXPECT_EQ(0, zevSwapPointer(1, 3));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevSwapPointer(3, 0));  // first slot tested first
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(1, zevSwapPointer(1, 1));
    EXPECT_EQ(1, zevSwapPointer(1, 2));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    char source[256];
    ASSERT_EQ(1, zevGetData(1, source, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("b", source);
    ASSERT_EQ(1, zevGetData(2, source, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("a", source);
    EXPECT_EQ(2, zevGetDataCount());
    EXPECT_EQ(3, AddEntry("c", "z"));
}

}  // namespace
