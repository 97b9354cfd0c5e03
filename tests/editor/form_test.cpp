// The entry form: its set-up for a dictionary, clearing and the checks before storing.
#include "editor_fixture.h"

namespace {

using FormTest = EditorTest;

TEST_F(FormTest, LabelsTheDictionarysLevelsAndTypes) {
    OpenDictionary({"弱", "中", "強"}, {"名詞", "動詞"});
    const char* levels[] = {"弱(&1)", "中(&2)", "強(&3)"};
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(n <= 3, Enabled(IDC_LEVEL1 + n - 1)) << n;
        EXPECT_EQ(n <= 3 ? levels[n - 1] : "", ItemText(IDC_LEVEL1 + n - 1)) << n;
    }
    const char* types[] = {"名詞", "動詞"};
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(n <= 2, Enabled(IDC_TYPE1 + n - 1)) << n;
        EXPECT_EQ(n <= 2 ? types[n - 1] : "", ItemText(IDC_TYPE1 + n - 1)) << n;
    }
    for (int id : {40007, 40008, 40018, 40010, 40011, 40031, 40027, 40028, 40029, 40004, 40019,
                   40014, 40013})
        EXPECT_FALSE(MenuGrayed(id)) << id;

    // A second dictionary with more levels and fewer types relabels every control.
    zevCloseDic();
    OpenDictionary({"一", "二", "三", "四", "五", "六", "七", "八"}, {"全部"});
    EXPECT_EQ("八(&8)", ItemText(IDC_LEVEL8));
    EXPECT_TRUE(Enabled(IDC_LEVEL8));
    EXPECT_FALSE(Enabled(IDC_TYPE1 + 1));
    EXPECT_EQ("", ItemText(IDC_TYPE1 + 1));

    // Other modes change nothing; mode 1 grays and disables again.
    CheckRadioButton(main, IDC_AND, IDC_OR, IDC_OR);
    ConfigureForm(main, 3);
    EXPECT_TRUE(Enabled(IDC_LEVEL1));
    EXPECT_FALSE(MenuGrayed(40004));
    ConfigureForm(main, kFormNoDictionary);
    EXPECT_FALSE(Enabled(IDC_LEVEL1));
    EXPECT_FALSE(Enabled(IDC_TYPE1));
    EXPECT_TRUE(MenuGrayed(40004));
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_FALSE(Checked(IDC_OR));
}

TEST_F(FormTest, ChoicesOnControlsANewDictionaryHidesAreDropped) {
    OpenDictionary({"一", "二", "三", "四"}, {"甲", "乙", "丙", "丁"});
    CheckRadioButton(main, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1 + 3);
    CheckDlgButton(main, IDC_TYPE1, BST_CHECKED);
    CheckDlgButton(main, IDC_TYPE1 + 3, BST_CHECKED);
    zevCloseDic();
    OpenDictionary({"弱", "強"}, {"名詞", "動詞"});
    char source[ZEV_TEXT_BUFFER], target[ZEV_TEXT_BUFFER];
    BYTE level = 0, typeMask = 0, condition = 0;
    ReadForm(main, source, target, &level, &typeMask, &condition);
    EXPECT_EQ(1, level);
    EXPECT_EQ(1, typeMask);
}

TEST_F(FormTest, CutsALongLevelNameBetweenCharacters) {
    // 250 single-byte characters and a double-byte one: the double-byte character does
    // not fit before the mnemonic, and half of it would be a broken character.
    std::string longName = std::string(250, 'a') + "語";
    std::string longest = std::string(251, 'b') + "c";
    ASSERT_EQ(1, zevCreateDic("A", "B", 3, 1));
    ASSERT_EQ(1, zevSetLevelAndType(longName.c_str(), 1, "T", 1));
    ASSERT_EQ(1, zevSetLevelAndType(longest.c_str(), 2, nullptr, 0));
    ASSERT_EQ(1, zevSetLevelAndType("短い", 3, nullptr, 0));
    ConfigureForm(main, kFormDictionaryOpen);
    EXPECT_EQ(std::string(250, 'a') + "(&1)", ItemText(IDC_LEVEL1));
    EXPECT_EQ(std::string(251, 'b') + "(&2)", ItemText(IDC_LEVEL1 + 1));
    EXPECT_EQ("短い(&3)", ItemText(IDC_LEVEL1 + 2));
}

TEST_F(FormTest, ClearAllInputResetsTheFormAndFocusesTheSource) {
    OpenThreeByThree();
    CheckDlgButton(main, IDC_TYPE8, BST_CHECKED);  // beyond the dictionary's types
    FillForm("ありがとう", "おおきに", 3, false, 0x83);
    SetDlgItemTextA(main, IDC_INDEX, "00002");
    SetFocus(list);
    Command(IDM_CLEAR_ALL_INPUT);
    EXPECT_EQ("", ItemText(IDC_INDEX));
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ("", ItemText(IDC_TARGET));
    EXPECT_EQ(1, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_FALSE(Checked(IDC_OR));
    EXPECT_EQ(0x80, CheckedTypes());  // boxes beyond the types are not touched
    EXPECT_EQ(GetDlgItem(main, IDC_SOURCE), GetFocus());
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(FormTest, WarnsAboutWhatIsMissingInOrder) {
    OpenThreeByThree();
    FillForm("", "", 1, true, 0);
    ExpectWarning("変換元文字列を入力してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();

    FillForm("ありがとう", "", 1, true, 0);
    ExpectWarning("変換先文字列を入力してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();

    FillForm("ありがとう", "おおきに", 1, true, 0);
    ExpectWarning("１つ以上のタイプを指定してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();

    EXPECT_EQ(0, zevGetDataCount());
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("ありがとう", ItemText(IDC_SOURCE));  // nothing lost

    // Blanks are text: they pass.
    FillForm("  ", " ", 1, true, 1);
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ(1, zevGetDataCount());
}

}  // namespace
