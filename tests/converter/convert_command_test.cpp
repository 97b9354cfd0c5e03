// Converting the input box line by line.
#include "converter_fixture.h"

namespace {

class ConvertCommandTest : public ConverterTest {
protected:
    void SetUp() override {
        ConverterTest::SetUp();
        std::string path = MakeDictionary(
            "d.zev", "標準語", "関西弁",
            {{"ありがとう", "おおきに"}, {"本当", "ほんま"}, {"です", "や", 2}, {"x", "XYZ"}});
        OpenDictionaryFile(path);
    }
};

TEST_F(ConvertCommandTest, LinesAreJoinedByCrLfWithNoneAfterTheLast) {
    SetInput("本当にありがとう\r\n\r\nです");
    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("ほんまにおおきに\r\n\r\nです", OutputText());
    SetInput("ほんまにおおきに\r\n");
    Command(IDM_CONVERT_BACKWARD);
    EXPECT_EQ("本当にありがとう\r\n", OutputText());
    converterState.level = 2;
    SetInput("本当です");
    ASSERT_TRUE(TranslateKey('T', true));
    EXPECT_EQ("ほんまや", OutputText());
    ASSERT_TRUE(TranslateKey('R', true));
    EXPECT_EQ("本当です", OutputText());
}

TEST_F(ConvertCommandTest, EmptyInputIsRefused) {
    SetDlgItemTextA(window, IDC_OUTPUT, "before");
    MessageBoxSeen& box = ExpectBox();
    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("変換する文章を入力してください。", box.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.icon);
    EXPECT_EQ("before", OutputText());
}

TEST_F(ConvertCommandTest, CutLinesAreReportedAfterTheConversion) {
    // "x" becomes three bytes: 30000 of them need 90000, more than a line may hold.
    std::string longLine(30000, 'x');
    SetInput("本当\r\n" + longLine + "\r\nok\r\n" + longLine);
    MessageBoxSeen& box = ExpectBox();
    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("変換結果が長すぎるため、次の行は途中までしか変換されていません。\n行: 2 4",
              box.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), box.icon);
    std::string output = OutputText();
    std::string cut;
    for (int i = 0; i < 65535 / 3; ++i) cut += "XYZ";
    EXPECT_EQ("ほんま\r\n" + cut + "\r\nok\r\n" + cut, output);
}

TEST_F(ConvertCommandTest, AnInputLineBeyondTheLimitIsReportedCut) {
    std::string longLine(70000, 'a');
    SetInput(longLine + "\r\n本当");
    MessageBoxSeen& box = ExpectBox();
    Command(IDM_CONVERT_FORWARD);
    // The copy of a line still needs room in the 65535-byte result.
    EXPECT_NE(std::string::npos, box.text.find("行: 1"));
    EXPECT_EQ(std::string(65534, 'a') + "\r\nほんま", OutputText());
}

}  // namespace
