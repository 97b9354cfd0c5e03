// Opening, setting up and refreshing the dictionary.
#include "converter_fixture.h"

namespace {

class DictionaryCommandTest : public ConverterTest {
protected:
    std::string MakeKansai(const std::string& leaf = "kansai.zev") {
        return MakeDictionary(leaf, "標準語", "関西弁",
                              {{"ありがとう", "おおきに"}, {"です", "や", 2}});
    }
    std::string Convert(const std::string& text, int command = IDM_CONVERT_FORWARD) {
        SetInput(text);
        Command(command);
        return OutputText();
    }
};

TEST_F(DictionaryCommandTest, OpenNamesMenusAndTitleAndResetsTheChoice) {
    std::string path = MakeKansai();
    FileDialogSeen seen;
    harness.ExpectFileDialog(path.c_str(), &seen);
    Command(IDM_OPEN_DICTIONARY);
    EXPECT_EQ("方言辞書を開く", seen.title);
    EXPECT_EQ("*.zev", seen.fileName);
    EXPECT_EQ((std::vector<std::string>{"方言辞書ファイル (*.zev)", "すべてのファイル (*.*)"}),
              seen.filters);
    EXPECT_FALSE(seen.readOnlyShown);

    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ("標準語 ⇒ 関西弁\tCtrl+T", MenuText(IDM_CONVERT_FORWARD));
    EXPECT_EQ("関西弁 ⇒ 標準語\tCtrl+R", MenuText(IDM_CONVERT_BACKWARD));
    for (int id : {IDM_CONVERT_FORWARD, IDM_CONVERT_BACKWARD, IDM_SETUP, IDM_REFRESH})
        EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_EQ("kansai.zev - MARDELKO", dialog::Text(window));
    EXPECT_EQ(path, converterState.dictionaryPath);
    EXPECT_EQ(1, converterState.level);
    EXPECT_EQ(1, converterState.typeMask);
}

TEST_F(DictionaryCommandTest, LongSourceNameIsCutTo24BytesBeforeTheArrowOnly) {
    // 15 double-byte characters: 30 bytes, cut after the twelfth.
    const char* longName = "あいうえおかきくけこさしすせそ";
    std::string path = MakeDictionary("long.zev", longName, "短い", {{"a", "b"}});
    OpenDictionaryFile(path);
    EXPECT_EQ("あいうえおかきくけこさし ⇒ 短い\tCtrl+T", MenuText(IDM_CONVERT_FORWARD));
    EXPECT_EQ(std::string("短い ⇒ ") + longName + "\tCtrl+R", MenuText(IDM_CONVERT_BACKWARD));

    // With a leading letter the 24th byte starts a character: it is left out whole.
    zevCloseDic();
    OpenDictionaryFile(
        MakeDictionary("odd.zev", "aあいうえおかきくけこさしす", "短い", {{"a", "b"}}));
    EXPECT_EQ("aあいうえおかきくけこさ ⇒ 短い\tCtrl+T", MenuText(IDM_CONVERT_FORWARD));
}

TEST_F(DictionaryCommandTest, CancelMissingAndForeignFilesLeaveTheDictionaryAlone) {
    std::string path = MakeKansai();
    OpenDictionaryFile(path);
    harness.ExpectFileDialog(nullptr);
    Command(IDM_OPEN_DICTIONARY);

    MessageBoxSeen& missing = ChooseFileExpectingBox(IDM_OPEN_DICTIONARY, FullPath("nothing.zev"));
    EXPECT_EQ("MARDELKO", missing.caption);
    EXPECT_EQ("指定したﾌｧｲﾙが見つかりません。", missing.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), missing.icon);

    std::string foreign = FullPath("foreign.zev");
    testfiles::Write(foreign, std::vector<uint8_t>(100, 'x'));
    MessageBoxSeen& unknown = ChooseFileExpectingBox(IDM_OPEN_DICTIONARY, foreign);
    EXPECT_EQ("不明な形式のファイルであるため、開くことができません。", unknown.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), unknown.icon);

    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ("おおきに", Convert("ありがとう"));
}

TEST_F(DictionaryCommandTest, FailedOpenShowsTheLibraryErrorAndKeepsTheMenus) {
    // Cut inside the footer: the structure test passes, reading does not.
    std::string cut = FullPath("cut.zev");
    std::vector<uint8_t> bytes = testfiles::Read(MakeKansai("whole.zev"));
    bytes.resize(bytes.size() - 2);
    testfiles::Write(cut, bytes);
    OpenDictionaryFile(MakeKansai());
    MessageBoxSeen& box = ChooseFileExpectingBox(IDM_OPEN_DICTIONARY, cut);
    EXPECT_EQ("ﾌｧｲﾙのｵｰﾌﾟﾝ処理で異常終了を検出しました。\nﾌｫｰﾏｯﾄが無効です。", box.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), box.icon);
    EXPECT_EQ(0, zevIsOpen());
    EXPECT_TRUE(MenuEnabled(IDM_CONVERT_FORWARD));
    EXPECT_EQ("kansai.zev - MARDELKO", dialog::Text(window));

    MessageBoxSeen& failure = ExpectBox();
    SetInput("ありがとう");
    Command(IDM_CONVERT_FORWARD);
    EXPECT_EQ("エラー発生！！", failure.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), failure.icon);
}

TEST_F(DictionaryCommandTest, SetupChangesLevelAndTypesOnlyOnOk) {
    std::string again = MakeKansai("again.zev");
    OpenDictionaryFile(MakeKansai());
    EXPECT_EQ("おおきにです", Convert("ありがとうです"));
    harness.ExpectDialog("辞書の設定", [](HWND setup) {
        CheckRadioButton(setup, 1002, 1009, 1003);  // level 2
        CheckDlgButton(setup, 1012, BST_CHECKED);   // types 1 and 2
        CheckDlgButton(setup, 1013, BST_CHECKED);
        dialog::Press(setup, 1020);
    });
    Command(IDM_SETUP);
    EXPECT_EQ(2, converterState.level);
    EXPECT_EQ(3, converterState.typeMask);
    EXPECT_EQ("おおきにや", Convert("ありがとうです"));

    harness.ExpectDialog("辞書の設定", [](HWND setup) {
        CheckRadioButton(setup, 1002, 1009, 1002);
        dialog::Press(setup, 1021);
    });
    Command(IDM_SETUP);
    EXPECT_EQ(2, converterState.level);
    EXPECT_EQ(3, converterState.typeMask);

    // Opening a dictionary again starts from level 1 and type 1.
    OpenDictionaryFile(again);
    EXPECT_EQ(1, converterState.level);
    EXPECT_EQ(1, converterState.typeMask);
}

TEST_F(DictionaryCommandTest, RefreshReadsTheFileAgainAndKeepsTheChoice) {
    std::string path = MakeKansai();
    OpenDictionaryFile(path);
    converterState.level = 2;
    converterState.typeMask = 1;
    // The editor saves a changed dictionary under the same name.
    zevCloseDic();
    MakeDictionary("kansai.zev", "標準語", "大阪弁", {{"ありがとう", "おおきにな"}});
    ASSERT_TRUE(TranslateKey(VK_F5, false));
    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ("標準語 ⇒ 大阪弁\tCtrl+T", MenuText(IDM_CONVERT_FORWARD));
    EXPECT_EQ(2, converterState.level);
    EXPECT_EQ("おおきにな", Convert("ありがとう"));
}

TEST_F(DictionaryCommandTest, RefreshOfAMovedOrDamagedFile) {
    std::string path = MakeKansai();
    std::string copy = MakeKansai("copy.zev");
    OpenDictionaryFile(path);
    testfiles::Write(path, std::vector<uint8_t>(60, 'x'));
    MessageBoxSeen& invalid = ExpectBox();
    Command(IDM_REFRESH);
    EXPECT_EQ("辞書の更新に失敗しました。ファイル形式が無効です。", invalid.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), invalid.icon);
    EXPECT_EQ(1, zevIsOpen());

    DeleteFileA(path.c_str());
    MessageBoxSeen& moved = ExpectBox();
    Command(IDM_REFRESH);
    EXPECT_EQ("ファイルが見つかりません。現在の辞書は移動、または削除されました。", moved.text);
    EXPECT_EQ(1, zevIsOpen());
    EXPECT_EQ("おおきに", Convert("ありがとう"));

    // A file that passes the structure test but cannot be read ends the dictionary.
    OpenDictionaryFile(copy);
    std::vector<uint8_t> bytes = testfiles::Read(copy);
    bytes.resize(bytes.size() - 1);
    testfiles::Write(copy, bytes);
    MessageBoxSeen& broken = ExpectBox();
    Command(IDM_REFRESH);
    EXPECT_EQ(
        "辞書の更新処理で異常終了を検出しました。現在の辞書は無効になります。\nﾌｫｰﾏｯﾄが無効です。",
        broken.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), broken.icon);
    EXPECT_EQ(0, zevIsOpen());
}

}  // namespace
