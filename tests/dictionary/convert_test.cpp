// The conversion engine: selection, scan, direction, limits and overflow.
#include <string.h>

#include <string>
#include <vector>

#include "file_bytes.h"
#include "zev_fixture.h"

namespace {

class ConvertTest : public ZevTest {
protected:
    // Converts with a generous buffer; checks nothing is written past the terminator.
    std::string Convert(const char* input, uint8_t level = 1, uint8_t types = 1, uint32_t flags = 0,
                        uint32_t limit = 1000) {
        std::vector<char> buffer(limit + 16, '\x7F');
        result = zevConvert(input, buffer.data(), limit, level, types, flags);
        std::string output(buffer.data());
        EXPECT_EQ('\x7F', buffer[limit + 1]);
        return output;
    }
    int result = -1;
};

TEST_F(ConvertTest, FirstApplicableEntryInTableOrderWins) {
    CreateSmall();
    zevCreateData("ab", 1, 1, 0, "X");
    zevCreateData("abc", 1, 1, 0, "Y");
    EXPECT_EQ("Xcd", Convert("abcd"));
    EXPECT_EQ(1, result);
    ASSERT_EQ(1, zevSwapPointer(1, 2));
    EXPECT_EQ("Yd", Convert("abcd"));
}

TEST_F(ConvertTest, ReplacementsAreNotRescanned) {
    CreateSmall();
    zevCreateData("a", 1, 1, 0, "b");
    zevCreateData("b", 1, 1, 0, "c");
    EXPECT_EQ("b", Convert("a"));
    EXPECT_EQ("bcc", Convert("abb"));
}

TEST_F(ConvertTest, DirectionChoosesPatternAndReplacement) {
    CreateSmall();
    zevCreateData("ab", 1, 1, 0, "X");
    EXPECT_EQ("X", Convert("X", 1, 1, 0));
    EXPECT_EQ("ab", Convert("X", 1, 1, ZEV_CONVERT_BACKWARD));
    EXPECT_EQ("X", Convert("ab", 1, 1, 0));
    // Bits other than the two defined ones are ignored.
    EXPECT_EQ("ab", Convert("X", 1, 1, 0xFFFFFFF1u));
}

TEST_F(ConvertTest, LevelAppliesAtItsOwnAndHigherLevels) {
    CreateSmall(5, 1);
    zevCreateData("x", 3, 1, 0, "Y");
    EXPECT_EQ("x", Convert("x", 1));
    EXPECT_EQ("x", Convert("x", 2));
    EXPECT_EQ("Y", Convert("x", 3));
    EXPECT_EQ("Y", Convert("x", 255));
}

TEST_F(ConvertTest, TypeSelectionUnderAndOr) {
    CreateSmall(1, 3);
    // Entries get their masks through update, which also takes mask 0.
    const uint8_t kAnd = 1, kOr = 0;
    zevCreateData("a", 1, 3, kAnd, "A");
    zevCreateData("b", 1, 3, kOr, "B");
    zevCreateData("c", 1, 1, kAnd, "C");
    zevUpdateData(3, "c", 1, 0, kAnd, "C");
    zevCreateData("d", 1, 1, kOr, "D");
    zevUpdateData(4, "d", 1, 0, kOr, "D");
    zevCreateData("e", 1, 8, kAnd, "E");  // type 4 only: beyond the three types
    zevCreateData("f", 1, 8, kOr, "F");
    zevCreateData("g", 1, 9, kOr, "G");  // type 1 and type 4
    zevCreateData("h", 1, 3, 7, "H");    // any value but 1 is OR
    EXPECT_EQ("ABCdEfGH", Convert("abcdefgh", 1, 1));
    EXPECT_EQ("abCdEfgh", Convert("abcdefgh", 1, 4));
    // A selected bit beyond the type count still counts as shared.
    EXPECT_EQ("abCdEfGh", Convert("abcdefgh", 1, 8));
    // An AND entry needs only one of its types to be selected.
    EXPECT_EQ("ABCdEfgH", Convert("abcdefgh", 1, 2));
}

TEST_F(ConvertTest, OnlyTheFirstEightTypesCount) {
    CreateSmall(1, 10);
    zevCreateData("a", 1, 0x80, 0, "A");
    EXPECT_EQ("A", Convert("a", 1, 0x80));
    EXPECT_EQ("a", Convert("a", 1, 0x7F));
}

TEST_F(ConvertTest, OutputLimitKeepsRoomForTwoBytes) {
    CreateSmall();
    zevCreateData("zz", 1, 1, 0, "Z");
    zevGetBeforeName(nullptr);  // leaves code 6 behind
    ASSERT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ("abc", Convert("abcdef", 1, 1, 0, 4));
    EXPECT_EQ(1, result);
    EXPECT_EQ("abc", Convert("abcdef", 1, 1, ZEV_CONVERT_FAIL_ON_OVERFLOW, 4));
    EXPECT_EQ(0, result);
    // The scan leaves the last error alone, full or not.
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ("abcdef", Convert("abcdef", 1, 1, ZEV_CONVERT_FAIL_ON_OVERFLOW, 7));
    EXPECT_EQ(1, result);
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
}

TEST_F(ConvertTest, AReplacementMayFillTheOutputExactly) {
    CreateSmall();
    zevCreateData("a", 1, 1, 0, "WXYZ");
    char buffer[6];
    memset(buffer, '\x7F', sizeof buffer);
    EXPECT_EQ(1, zevConvert("a", buffer, 4, 1, 1, ZEV_CONVERT_FAIL_ON_OVERFLOW));
    EXPECT_STREQ("WXYZ", buffer);
    EXPECT_EQ('\x7F', buffer[5]);
    EXPECT_EQ("WXYZ", Convert("aa", 1, 1, 0, 7));
    EXPECT_EQ(1, result);
    EXPECT_EQ("WXYZ", Convert("aa", 1, 1, ZEV_CONVERT_FAIL_ON_OVERFLOW, 7));
    EXPECT_EQ(0, result);
}

TEST_F(ConvertTest, EmptyInput) {
    CreateSmall();
    zevCreateData("a", 1, 1, 0, "b");
    EXPECT_EQ("", Convert("", 1, 1, 0, 2));
    EXPECT_EQ(1, result);
    EXPECT_EQ("", Convert("", 1, 1, 0, 1));
    EXPECT_EQ(1, result);
    EXPECT_EQ("", Convert("", 1, 1, ZEV_CONVERT_FAIL_ON_OVERFLOW, 1));
    EXPECT_EQ(0, result);
}

TEST_F(ConvertTest, DoubleByteCharactersAreUnits) {
    CreateSmall();
    // ア is 0x83 0x41: its second byte is the letter A.
    zevCreateData("A", 1, 1, 0, "[A]");
    zevCreateData("\x5C", 1, 1, 0, "/");  // 表 is 0x95 0x5C
    EXPECT_EQ("ア[A]表/", Convert("アA表\\"));
    zevCreateData("です", 1, 1, 0, "や");
    EXPECT_EQ("そうや", Convert("そうです"));
    // A double-byte character needs two bytes of room like any other.
    EXPECT_EQ("ア", Convert("アア", 1, 1, 0, 3));
}

TEST_F(ConvertTest, LeadBytesAreThoseOfCodePage932) {
    CreateSmall();
    zevCreateData("A", 1, 1, 0, "X");
    for (int byte = 1; byte < 256; ++byte) {
        const char input[] = {static_cast<char>(byte), 'A', '\0'};
        bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        std::string expected = byte == 'A' ? "XX" : lead ? input : std::string(1, input[0]) + "X";
        EXPECT_EQ(expected, Convert(input)) << "byte " << byte;
    }
}

TEST_F(ConvertTest, LoneLeadByteAtTheEndIsCopiedWithTheTerminator) {
    CreateSmall();
    zevCreateData("q", 1, 1, 0, "Q");
    char buffer[8];
    memset(buffer, '\x7F', sizeof buffer);
    EXPECT_EQ(1, zevConvert("q\x82", buffer, 6, 1, 1, 0));
    EXPECT_EQ(0, memcmp("Q\x82\0\0", buffer, 4));
    EXPECT_EQ('\x7F', buffer[4]);
}

TEST_F(ConvertTest, EmptyPatternsAreSkipped) {
    CreateSmall();
    zevCreateData("", 1, 1, 0, "never");
    zevCreateData("a", 1, 1, 0, "");
    EXPECT_EQ("bc", Convert("abc"));
    // Backward, "a" has the empty pattern and "" the pattern "never".
    EXPECT_EQ("nxyz", Convert("nevernxyz", 1, 1, ZEV_CONVERT_BACKWARD));
}

TEST_F(ConvertTest, PreconditionsInOrderAndOutputUntouched) {
    char buffer[8] = "keep";
    EXPECT_EQ(0, zevConvert(nullptr, nullptr, 0, 0, 0, 0));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    CreateSmall();
    EXPECT_EQ(0, zevConvert(nullptr, nullptr, 0, 0, 0, 0));
    EXPECT_EQ(ZEV_ERR_DATA_EMPTY, zevGetZevLastError());
    zevCreateData("a", 1, 1, 0, "b");
    struct Case {
        const char* input;
        char* output;
        uint32_t limit;
        uint8_t level, types;
    };
    for (Case c :
         {Case{nullptr, buffer, 7, 1, 1}, Case{"a", nullptr, 7, 1, 1}, Case{"a", buffer, 0, 1, 1},
          Case{"a", buffer, 7, 0, 1}, Case{"a", buffer, 7, 1, 0}}) {
        EXPECT_EQ(0, zevConvert(c.input, c.output, c.limit, c.level, c.types, 0));
        EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
        EXPECT_STREQ("keep", buffer);
    }
}

TEST_F(ConvertTest, ChangesTakeEffectAtTheNextCall) {
    CreateSmall();
    zevCreateData("a", 1, 1, 0, "1");
    EXPECT_EQ("1", Convert("a"));
    zevUpdateData(1, "a", 1, 1, 0, "2");
    EXPECT_EQ("2", Convert("a"));
    zevCreateData("a", 1, 1, 0, "3");
    zevRemoveData(1);
    EXPECT_EQ("3", Convert("a"));
    zevCreateData("a", 1, 1, 0, "4");  // takes slot 1 again, ahead of slot 2
    EXPECT_EQ("4", Convert("a"));
}

// The engine keeps what it prepared for a selection between calls; every
// kind of change to the entries must reach the next conversion, in both
// directions, and with the old entries gone (a stale index into the table
// would point at freed or different entries).
TEST_F(ConvertTest, EveryKindOfChangeReachesTheNextConversion) {
    CreateSmall();
    zevCreateData("ab", 1, 1, 0, "X");
    zevCreateData("abc", 1, 1, 0, "Y");
    zevCreateData("q", 1, 1, 0, "Q");
    auto both = [this]() {
        return Convert("abcdq") + "|" + Convert("XYQ", 1, 1, ZEV_CONVERT_BACKWARD);
    };
    ASSERT_EQ("XcdQ|ababcq", both());
    ASSERT_EQ("XcdQ|ababcq", both());  // prepared once, used again

    ASSERT_EQ(4, zevCreateData("d", 1, 1, 0, "D"));
    EXPECT_EQ("XcDQ|ababcq", both());
    ASSERT_EQ(1, zevUpdateData(3, "cd", 1, 1, 0, "C"));
    EXPECT_EQ("XCq|ababcQ", both());
    ASSERT_EQ(1, zevSwapPointer(1, 2));
    EXPECT_EQ("YDq|ababcQ", both());
    ASSERT_EQ(1, zevRemoveData(1));
    EXPECT_EQ("XCq|abYQ", both());
    // Names and footer leave the entries alone.
    ASSERT_EQ(1, zevSetLevelAndType("L", 1, "T", 1));
    ASSERT_EQ(1, zevUpdateFooter(1, 2, 3, "c", 2026, "h"));
    EXPECT_EQ("XCq|abYQ", both());

    // Close, then open a file whose entries sit in the same slots.
    FileLayout layout;
    layout.levels.assign(3, "L");
    layout.types.assign(3, "T");
    layout.entries = {{1, 1, 0, "q", "1"}, {1, 1, 0, "ab", "2"}};
    std::string path = testfiles::Path("other.zev");
    testfiles::Write(path, layout.Build());
    ASSERT_EQ(1, zevCloseDic());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ("2cd1|XYQ", both());
    // Close, then create one anew.
    ASSERT_EQ(1, zevCloseDic());
    CreateSmall();
    zevCreateData("c", 1, 1, 0, "3");
    EXPECT_EQ("ab3dq|XYQ", both());
}

}  // namespace
