// A whole working session, as a user goes through it.
#include "converter_fixture.h"

namespace {

using SessionTest = ConverterTest;

TEST_F(SessionTest, OpenLoadConvertSetupSaveRefreshConvert) {
    std::string dictionary = MakeDictionary(
        "osaka.zev", "標準語", "大阪弁",
        {{"ありがとう", "おおきに", 1, 1}, {"とても", "めっちゃ", 1, 2}, {"だめ", "あかん", 2, 1}});
    std::string textFile = FullPath("letter.txt");
    std::string text = "とてもありがとう。\r\nそれはだめです。";
    testfiles::Write(textFile, std::vector<uint8_t>(text.begin(), text.end()));

    OpenDictionaryFile(dictionary);
    OpenTextFile(textFile);
    ASSERT_EQ(text, InputText());

    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("とてもおおきに。\r\nそれはだめです。", OutputText());

    harness.ExpectDialog("辞書の設定", [](HWND setup) {
        CheckRadioButton(setup, 1002, 1009, 1003);
        CheckDlgButton(setup, 1012, BST_CHECKED);
        CheckDlgButton(setup, 1013, BST_CHECKED);
        dialog::Press(setup, 1020);
    });
    Command(IDM_SETUP);
    Command(IDM_CONVERT_FORWARD);
    std::string converted = "めっちゃおおきに。\r\nそれはあかんです。";
    EXPECT_EQ(converted, OutputText());

    SetInput(converted);
    Command(IDM_CONVERT_BACKWARD);
    EXPECT_EQ(text, OutputText());
    SetInput(text);
    Command(IDM_CONVERT_FORWARD);

    std::string saved = FullPath("osaka.txt");
    harness.ExpectFileDialog(saved.c_str());
    Command(IDM_SAVE_TEXT);
    EXPECT_EQ(std::vector<uint8_t>(converted.begin(), converted.end()), testfiles::Read(saved));

    // The dictionary changes on disk; F5 picks the change up and keeps the setup.
    zevCloseDic();
    MakeDictionary("osaka.zev", "標準語", "大阪弁",
                   {{"ありがとう", "おおきにな", 1, 1},
                    {"とても", "めっちゃ", 1, 2},
                    {"だめ", "あかん", 2, 1}});
    ASSERT_TRUE(TranslateKey(VK_F5, false));
    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("めっちゃおおきにな。\r\nそれはあかんです。", OutputText());
}

}  // namespace
