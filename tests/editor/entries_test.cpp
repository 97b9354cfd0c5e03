// Entries between form, list and library: create, update, remove, load, and the list.
#include <functional>

#include "editor_fixture.h"
#include "table_helpers.h"

namespace {

using Cells = std::vector<std::string>;

class EntriesTest : public EditorTest {
protected:
    // Five entries made through the form, with indices 1 to 5.
    void CreateFive() {
        const char* words[][2] = {{"ありがとう", "おおきに"},
                                  {"本当に", "ほんまに"},
                                  {"だめ", "あかん"},
                                  {"いくら", "なんぼ"},
                                  {"とても", "めっちゃ"}};
        for (auto& word : words) {
            FillForm(word[0], word[1], 1, true, 1);
            Command(IDM_CREATE_ENTRY);
        }
        ASSERT_EQ(5, RowCount());
    }
};

TEST_F(EntriesTest, CreateAddsARowAtTheEndAndKeepsTheChoices) {
    OpenThreeByThree();
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    FillForm("ありがとう", "おおきに", 2, false, 0x05);
    SetFocus(list);
    Command(IDM_CREATE_ENTRY);

    EXPECT_EQ((Cells{"00001", "ありがとう", "おおきに", "中", "OR"}), Row(0));
    EXPECT_EQ((TableEntry{"ありがとう", "おおきに", 2, 0x05, 0}), ReadEntry(1));

    EXPECT_EQ("", ItemText(IDC_INDEX));
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ("", ItemText(IDC_TARGET));
    EXPECT_EQ(2, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_OR));
    EXPECT_EQ(0x05, CheckedTypes());
    EXPECT_EQ(GetDlgItem(main, IDC_SOURCE), GetFocus());
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());

    FillForm("本当に", "ほんまに", 3, true, 0x02);
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ((Cells{"00002", "本当に", "ほんまに", "強", "AND"}), Row(1));
}

TEST_F(EntriesTest, ALoadedEntryIsCreatedAgainAsANewOne) {
    OpenThreeByThree();
    CreateFive();
    SelectRow(1);
    PressKey(list, VK_SPACE);
    EXPECT_EQ("00002", ItemText(IDC_INDEX));
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ((Cells{"00006", "本当に", "ほんまに", "弱", "AND"}), Row(5));
    EXPECT_EQ(6, zevGetDataCount());
}

TEST_F(EntriesTest, ARemovedIndexIsReusedAndItsRowGoesToTheEnd) {
    OpenThreeByThree();
    CreateFive();
    editorState.isModified = 0;
    SelectRow(2);
    PressKey(list, VK_DELETE);
    EXPECT_EQ((std::vector<std::string>{"00001", "00002", "00004", "00005"}), FirstColumn());
    EXPECT_FALSE(zevIsDataEnabled(3));
    EXPECT_EQ(1, editorState.isModified);

    FillForm("捨てる", "ほかす", 1, true, 1);
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ((std::vector<std::string>{"00001", "00002", "00004", "00005", "00003"}),
              FirstColumn());
    EXPECT_EQ("捨てる", Cell(4, 1));

    Command(IDM_REDRAW_LIST);
    EXPECT_EQ((std::vector<std::string>{"00001", "00002", "00003", "00004", "00005"}),
              FirstColumn());
    EXPECT_EQ((Cells{"00003", "捨てる", "ほかす", "弱", "AND"}), Row(2));

    // After the refill, new rows still land at the end.
    FillForm("疲れた", "しんどい", 1, true, 1);
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ("00006", Cell(5, 0));
}

TEST_F(EntriesTest, DeletingTheLoadedEntryResetsTheFormButKeepsTheFocus) {
    OpenThreeByThree();
    CreateFive();
    SelectRow(1);
    PressKey(list, VK_SPACE);
    FillForm("本当に", "ほんまに", 3, false, 0x06);
    SetFocus(list);
    PressKey(list, VK_DELETE);
    EXPECT_EQ("", ItemText(IDC_INDEX));
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ(1, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_EQ(0, CheckedTypes());
    EXPECT_EQ(list, GetFocus());

    // Deleting another row leaves a loaded entry in the form alone.
    SelectRow(0);
    PressKey(list, VK_SPACE);
    SelectRow(2);
    PressKey(list, VK_DELETE);
    EXPECT_EQ("00001", ItemText(IDC_INDEX));
    EXPECT_EQ("ありがとう", ItemText(IDC_SOURCE));
}

TEST_F(EntriesTest, TheListSelectsOneRowAtATimeForDelete) {
    OpenThreeByThree();
    CreateFive();
    SelectRow(1);
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(1, SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
    PressKey(list, VK_DELETE);
    EXPECT_EQ((std::vector<std::string>{"00001", "00002", "00003", "00005"}), FirstColumn());
}

TEST_F(EntriesTest, DeleteWithoutSelectionChangesNothingButRefreshesTheTitle) {
    OpenThreeByThree();
    CreateFive();
    editorState.isModified = 0;
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    SetWindowTextA(main, "old");
    SelectRow(-1);
    PressKey(list, VK_DELETE);
    EXPECT_EQ(5, RowCount());
    EXPECT_EQ(5, zevGetDataCount());
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());
}

TEST_F(EntriesTest, SpaceAndDoubleClickLoadWithoutChangingModified) {
    OpenThreeByThree();
    ASSERT_NE(0, zevCreateData("ありがとう", 3, 0x06, 0, "おおきに"));
    ASSERT_NE(0, zevCreateData("本当に", 2, 0x01, 1, "ほんまに"));
    RefillList(main);
    EXPECT_EQ(0, editorState.isModified);

    SelectRow(0);
    PressKey(list, VK_SPACE);
    EXPECT_EQ("00001", ItemText(IDC_INDEX));
    EXPECT_EQ("ありがとう", ItemText(IDC_SOURCE));
    EXPECT_EQ("おおきに", ItemText(IDC_TARGET));
    EXPECT_EQ(3, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_OR));
    EXPECT_FALSE(Checked(IDC_AND));
    EXPECT_EQ(0x06, CheckedTypes());
    EXPECT_EQ(0, editorState.isModified);

    SelectRow(1);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ("00002", ItemText(IDC_INDEX));
    EXPECT_EQ(2, CheckedLevel());
    EXPECT_TRUE(Checked(IDC_AND));
    EXPECT_EQ(0x01, CheckedTypes());
    EXPECT_EQ(0, editorState.isModified);

    // No selection: nothing happens.
    SelectRow(-1);
    SetDlgItemTextA(main, IDC_SOURCE, "入力中");
    PressKey(list, VK_SPACE);
    EXPECT_EQ("入力中", ItemText(IDC_SOURCE));
}

TEST_F(EntriesTest, ARowWhoseEntryIsGoneLeavesTheFormAsItIs) {
    OpenThreeByThree();
    CreateFive();
    ASSERT_EQ(1, zevRemoveData(4));
    FillForm("入力中", "そのまま", 2, false, 0x02);
    SelectRow(3);
    PressKey(list, VK_SPACE);
    EXPECT_EQ("", ItemText(IDC_INDEX));
    EXPECT_EQ("入力中", ItemText(IDC_SOURCE));
    EXPECT_EQ(2, CheckedLevel());
    EXPECT_EQ(0x02, CheckedTypes());
}

TEST_F(EntriesTest, UpdateRewritesTheMatchingRow) {
    OpenThreeByThree();
    CreateFive();
    editorState.isModified = 0;
    SelectRow(2);
    PressKey(list, VK_SPACE);
    CheckRadioButton(main, IDC_AND, IDC_OR, IDC_OR);  // only the condition changes
    Command(IDM_UPDATE_ENTRY);
    EXPECT_EQ((Cells{"00003", "だめ", "あかん", "弱", "OR"}), Row(2));
    EXPECT_EQ((Cells{"00002", "本当に", "ほんまに", "弱", "AND"}), Row(1));
    EXPECT_EQ("", ItemText(IDC_INDEX));
    EXPECT_EQ("", ItemText(IDC_SOURCE));
    EXPECT_EQ(GetDlgItem(main, IDC_SOURCE), GetFocus());
    EXPECT_EQ(1, editorState.isModified);

    SelectRow(2);
    PressKey(list, VK_SPACE);
    FillForm("駄目", "あかんで", 3, true, 0x04);
    PressKey(list, VK_RETURN, VK_CONTROL);
    EXPECT_EQ((Cells{"00003", "駄目", "あかんで", "強", "AND"}), Row(2));
    TableEntry entry = ReadEntry(3);
    EXPECT_EQ("駄目", entry.source);
    EXPECT_EQ(0x04, entry.typeMask);
}

TEST_F(EntriesTest, UpdateNeedsALoadedEntryAndReportsWhenTheLibraryRefuses) {
    OpenThreeByThree();
    CreateFive();
    editorState.isModified = 0;
    FillForm("新しい", "あたらしい", 1, true, 1);
    ExpectWarning("更新対象となるデータを選択してください。");
    Command(IDM_UPDATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ("新しい", ItemText(IDC_SOURCE));

    // The loaded entry was removed behind the form's back: the library's reason is
    // shown, and nothing changes.
    SelectRow(4);
    PressKey(list, VK_SPACE);
    ASSERT_EQ(1, zevRemoveData(5));
    SetDlgItemTextA(main, IDC_TARGET, "めっちゃ！");
    ExpectBox(
        "異常終了！データを更新できませんでした。\n指定された領域には変換ﾃﾞｰﾀが存在しません。",
        MB_ICONHAND);
    Command(IDM_UPDATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ("00005", ItemText(IDC_INDEX));
    EXPECT_EQ("めっちゃ！", ItemText(IDC_TARGET));
    EXPECT_EQ("めっちゃ", Cell(4, 2));
    EXPECT_EQ(0, editorState.isModified);
}

// Entries with what the form has no control for: a level beyond the buttons or the
// dictionary, a condition other than AND and OR, type bits beyond the boxes. Each is
// loaded after an ordinary entry (level 3, OR, all types), its target is edited, the
// user perhaps chooses something, and Update writes it.
TEST_F(EntriesTest, UpdateKeepsWhatTheFormCannotShowUnlessTheUserChooses) {
    OpenDictionary({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, {"名詞", "動詞", "副詞"});
    const char* refused = "異常終了！データを更新できませんでした。\nﾊﾟﾗﾒｰﾀが正しくありません。";
    struct Case {
        BYTE level, types, condition;
        std::function<void()> choose;
        TableEntry expected;  // what the slot holds afterwards
        const char* errorBox;
    };
    auto none = [] {};
    const Case cases[] = {
        {9, 0x01, 2, none, {"元", "先", 9, 0x01, 2}, nullptr},
        {10,
         0x03,
         0x80,
         [&] { dialog::Press(main, IDC_LEVEL1 + 1); },
         {"元", "先", 2, 0x03, 0x80},
         nullptr},
        {9, 0x05, 7, [&] { dialog::Press(main, IDC_AND); }, {"元", "先", 9, 0x05, 1}, nullptr},
        // The library refuses a level beyond the dictionary and types beyond its count,
        // and says so; a visible choice then lets the update through.
        {11, 0x01, 1, none, {"元", "古", 11, 0x01, 1}, refused},
        {11,
         0x01,
         1,
         [&] { dialog::Press(main, IDC_LEVEL1 + 2); },
         {"元", "先", 3, 0x01, 1},
         nullptr},
        {2, 0x81, 1, none, {"元", "古", 2, 0x81, 1}, refused},
        {2,
         0x81,
         1,
         [&] { dialog::Press(main, IDC_TYPE1 + 1); },
         {"元", "先", 2, 0x03, 1},
         nullptr},
        {2, 0x90, 0, [&] { Command(IDM_SELECT_ALL_TYPES); }, {"元", "先", 2, 0x07, 0}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << int(c.level) << " types " << int(c.types)
                                        << " condition " << int(c.condition));
        ASSERT_EQ(1, zevCreateData("普通", 3, 0x07, 0, "ふつう"));
        ASSERT_EQ(2, zevCreateData("元", c.level, c.types, c.condition, "古"));
        RefillList(main);
        SelectRow(0);
        PressKey(list, VK_SPACE);
        SelectRow(1);
        PressKey(list, VK_SPACE);
        // Nothing stays checked from the entry before, and no disabled box is ticked.
        EXPECT_EQ(c.level <= 8 ? c.level : 0, CheckedLevel());
        EXPECT_EQ(c.condition == 1, Checked(IDC_AND));
        EXPECT_EQ(c.condition == 0, Checked(IDC_OR));
        EXPECT_EQ(c.types & 0x07, CheckedTypes());

        SetDlgItemTextA(main, IDC_TARGET, "先");
        c.choose();
        if (c.errorBox) ExpectBox(c.errorBox, MB_ICONHAND);
        Command(IDM_UPDATE_ENTRY);
        CheckBoxes();
        EXPECT_EQ(c.expected, ReadEntry(2));
        EXPECT_EQ(c.expected.condition == 1 ? "AND" : "OR", Cell(1, 4));
        ASSERT_EQ(1, zevRemoveData(1));
        ASSERT_EQ(1, zevRemoveData(2));
    }
}

TEST_F(EntriesTest, CreateTakesOnlyWhatTheFormShows) {
    OpenDictionary({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, {"名詞", "動詞"});
    ASSERT_EQ(1, zevCreateData("元", 9, 0x05, 2, "先"));
    RefillList(main);
    SelectRow(0);
    PressKey(list, VK_SPACE);
    ExpectWarning("変換レベルを指定してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    CheckRadioButton(main, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1 + 1);
    ExpectWarning("条件（AND または OR）を指定してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ(1, zevGetDataCount());
    // With a level and a condition chosen, the new entry has the visible type only.
    CheckRadioButton(main, IDC_AND, IDC_OR, IDC_OR);
    Command(IDM_CREATE_ENTRY);
    EXPECT_EQ((TableEntry{"元", "先", 2, 0x01, 0}), ReadEntry(2));
}

TEST_F(EntriesTest, CreateReportsAFullTableAndOtherFailures) {
    OpenThreeByThree();
    for (int i = 0; i < ZEV_MAX_DATA; ++i) ASSERT_NE(0, zevCreateData("a", 1, 1, 1, "b"));
    FillForm("ありがとう", "おおきに", 1, true, 1);
    ExpectWarning("これ以上データを追加することはできません。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ("ありがとう", ItemText(IDC_SOURCE));
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ(0, editorState.isModified);

    zevCloseDic();  // the library refuses for another reason: no dictionary
    ExpectBox("異常終了！データを追加できませんでした。\n辞書がｵｰﾌﾟﾝされていません。", MB_ICONHAND);
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ("ありがとう", ItemText(IDC_SOURCE));
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(EntriesTest, TextsLongerThanAnEntryHoldsAreRefusedNotCut) {
    OpenThreeByThree();
    std::string longest(127 * 2, '\0');  // 127 double-byte characters and one letter
    for (size_t i = 0; i < longest.size(); i += 2) longest.replace(i, 2, "あ");
    longest += "a";
    std::string tooLong = longest.substr(0, 254) + "あ";  // 256 bytes, ends in a whole character

    FillForm(tooLong.c_str(), "おおきに", 1, true, 1);
    ExpectWarning("変換元文字列は255バイト以内で入力してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ(0, zevGetDataCount());
    EXPECT_EQ(tooLong, ItemText(IDC_SOURCE));  // the text stays for the user to shorten

    FillForm(longest.c_str(), tooLong.c_str(), 1, true, 1);
    ExpectWarning("変換先文字列は255バイト以内で入力してください。");
    Command(IDM_CREATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ(0, zevGetDataCount());

    FillForm(longest.c_str(), longest.c_str(), 1, true, 1);
    Command(IDM_CREATE_ENTRY);
    TableEntry entry = ReadEntry(1);
    EXPECT_EQ(longest, entry.source);
    EXPECT_EQ(longest, entry.target);

    // Update refuses the same way and leaves the entry as it was.
    SelectRow(0);
    PressKey(list, VK_SPACE);
    SetDlgItemTextA(main, IDC_TARGET, tooLong.c_str());
    ExpectWarning("変換先文字列は255バイト以内で入力してください。");
    Command(IDM_UPDATE_ENTRY);
    CheckBoxes();
    EXPECT_EQ(longest, ReadEntry(1).target);
}

TEST_F(EntriesTest, RefillShowsEveryEntryInIndexOrderWithFullTexts) {
    OpenThreeByThree();
    std::string longest;
    while (longest.size() < 255) longest += longest.size() < 253 ? "語" : "x";
    ASSERT_EQ(255u, longest.size());
    ASSERT_NE(0, zevCreateData("一", 1, 1, 1, "いち"));
    ASSERT_NE(0, zevCreateData(longest.c_str(), 3, 1, 0, longest.c_str()));
    ASSERT_NE(0, zevCreateData("三", 2, 1, 1, "さん"));
    ASSERT_EQ(1, zevRemoveData(1));
    CreateFive();  // rows from the form; the refill replaces them
    RefillList(main);
    ASSERT_EQ(7, RowCount());
    EXPECT_EQ((Cells{"00001", "ありがとう", "おおきに", "弱", "AND"}), Row(0));
    EXPECT_EQ((Cells{"00002", longest, longest, "強", "OR"}), Row(1));
    EXPECT_EQ((Cells{"00003", "三", "さん", "中", "AND"}), Row(2));
    EXPECT_EQ("00007", Cell(6, 0));

    // Without a dictionary the list stays empty.
    zevCloseDic();
    RefillList(main);
    EXPECT_EQ(0, RowCount());
    EXPECT_EQ(0, editorState.rowCount);
}

}  // namespace
