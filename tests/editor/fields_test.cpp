// The dialogs' text helpers: blanks trimmed by characters, numeric fields clamped.
#include <gtest/gtest.h>

#include <string>

#include "editor.h"

namespace {

std::string Trimmed(const char* text) {
    char output[600];
    int length = TrimSpaces(text, output);
    EXPECT_EQ(static_cast<int>(strlen(output)), length);
    return output;
}

TEST(TrimSpacesTest, DropsHalfAndFullWidthBlanksAtBothEnds) {
    EXPECT_EQ("関西弁", Trimmed("関西弁"));
    EXPECT_EQ("関西 弁", Trimmed(" 　 関西 弁　 "));
    EXPECT_EQ("", Trimmed("　 　"));
    EXPECT_EQ("", Trimmed(""));
    EXPECT_EQ("a", Trimmed("a "));
}

TEST(TrimSpacesTest, ATrailByteIsNoBlank) {
    // 院 is 0x89 0x40; ＝ is 0x81 0x81, so ＝@ ends in the bytes of a full-width blank.
    EXPECT_EQ("院", Trimmed("院"));
    EXPECT_EQ("院", Trimmed("　院　"));
    EXPECT_EQ("＝@", Trimmed("＝@"));
    EXPECT_EQ("ァ", Trimmed("ァ "));  // 0x83 0x40
}

TEST(DecimalValueTest, TakesTheLeadingDigits) {
    EXPECT_EQ(0, DecimalValue(""));
    EXPECT_EQ(0, DecimalValue("x1"));
    EXPECT_EQ(7, DecimalValue("007"));
    EXPECT_EQ(19, DecimalValue("19y"));
    EXPECT_GT(DecimalValue("99999999999999999999"), 9999);  // no overflow to a small value
}

class ClampFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr,
                               nullptr);
        ASSERT_NE(nullptr, edit);
    }
    void TearDown() override { DestroyWindow(edit); }

    std::string Clamp(const char* text, int minimum, int maximum) {
        SetWindowTextA(edit, text);
        ClampField(edit, minimum, maximum);
        char result[64] = {};
        GetWindowTextA(edit, result, sizeof result);
        return result;
    }
    HWND edit = nullptr;
};

TEST_F(ClampFieldTest, RewritesOnlyValuesOutsideTheRange) {
    EXPECT_EQ("255", Clamp("300", 0, 255));
    EXPECT_EQ("7", Clamp("007", 0, 255));
    EXPECT_EQ("1", Clamp("0", 1, 9999));
    EXPECT_EQ("19", Clamp("19a", 1, 9999));
    EXPECT_EQ("1", Clamp("abc", 1, 9999));
    EXPECT_EQ("", Clamp("", 1, 8));
    EXPECT_EQ("9999", Clamp("12345", 1, 9999));  // a surplus character is not kept
    EXPECT_EQ("8", Clamp("9", 1, 8));
}

TEST_F(ClampFieldTest, PutsTheCaretAtTheEndOfARewrittenText) {
    SetWindowTextA(edit, "300");
    SendMessageA(edit, EM_SETSEL, 0, 0);
    ClampField(edit, 0, 255);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(3u, start);
    EXPECT_EQ(3u, end);
}

}  // namespace
