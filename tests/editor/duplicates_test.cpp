// Duplicate removal against the plain pairwise search with lstrcmpA, and its messages.
#include "editor_fixture.h"
#include "table_helpers.h"

namespace {

// Deletes, on a copy, every entry equal in source and target (lstrcmpA) to a surviving
// entry at a lower index; returns the count.
int PairwiseRemove(Table& table) {
    int count = 0;
    for (auto i = table.begin(); i != table.end(); ++i) {
        for (auto j = std::next(i); j != table.end();) {
            if (lstrcmpA(i->second.source.c_str(), j->second.source.c_str()) == 0 &&
                lstrcmpA(i->second.target.c_str(), j->second.target.c_str()) == 0) {
                j = table.erase(j);
                ++count;
            } else {
                ++j;
            }
        }
    }
    return count;
}

std::string DeletedText(int count) {
    return std::to_string(count) + "件の重複したﾃﾞｰﾀを削除しました。";
}

class DuplicatesTest : public EditorTest {
protected:
    void Add(const char* source, const char* target, int level = 1) {
        ASSERT_NE(0, zevCreateData(source, static_cast<uint8_t>(level), 1, 0, target));
    }
    void RemoveExpecting(const std::string& text) {
        ExpectBox(text.c_str(), MB_ICONASTERISK);
        Command(IDM_REMOVE_DUPLICATES);
        CheckBoxes();
    }
};

TEST_F(DuplicatesTest, RemovesWhatThePairwiseSearchRemovesOnRandomTables) {
    for (uint32_t seed = 11; seed <= 14; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        if (zevIsOpen()) zevCloseDic();
        OpenThreeByThree();
        FillRandomTable(seed, 300);
        Table expected = ReadTable();
        int count = PairwiseRemove(expected);
        ASSERT_GT(count, 0);
        editorState.isModified = 0;
        RemoveExpecting(DeletedText(count));
        EXPECT_EQ(expected, ReadTable());
        EXPECT_EQ(1, editorState.isModified);
        EXPECT_EQ(static_cast<int>(expected.size()), RowCount());
    }
}

TEST_F(DuplicatesTest, EqualUnderLstrcmpAIsEnoughAndCaseCounts) {
    OpenThreeByThree();
    // ゛ and ﾞ are different bytes that lstrcmpA calls equal; A and a it does not.
    ASSERT_EQ(0, lstrcmpA("て゛", "てﾞ"));
    ASSERT_NE(0, lstrcmpA("Osaka", "osaka"));
    ASSERT_NE(0, lstrcmpA("おおさか", "オオサカ"));
    Add("て゛", "ﾞ");
    Add("てﾞ", "゛");
    Add("Osaka", "おおさか");
    Add("osaka", "おおさか");
    Add("osaka", "オオサカ");
    editorState.isModified = 0;
    RemoveExpecting(DeletedText(1));
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5}), Slots(ReadTable()));
    EXPECT_EQ((std::vector<std::string>{"00001", "00003", "00004", "00005"}), FirstColumn());
    EXPECT_EQ(1, editorState.isModified);

    // Nothing left to remove: the other message, the flag untouched, the list refilled.
    editorState.isModified = 0;
    ListView_DeleteAllItems(list);
    RemoveExpecting("重複したデータは存在しません。");
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ(4, RowCount());
}

TEST_F(DuplicatesTest, TheLowestIndexSurvivesWithItsOwnLevel) {
    OpenThreeByThree();
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    Add("だめ", "あかん", 3);
    Add("だめ", "あかん", 1);
    Add("とても", "めっちゃ");
    Add("だめ", "あかん", 2);
    Add("とても", "めっちゃ", 2);
    Add("とても", "めっちゃ", 3);
    RemoveExpecting(DeletedText(4));
    Table table = ReadTable();
    EXPECT_EQ((std::vector<int>{1, 3}), Slots(table));
    EXPECT_EQ(3, table[1].level);
    EXPECT_EQ(1, table[3].level);
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());
}

TEST_F(DuplicatesTest, AnEmptyTableHasNoDuplicates) {
    OpenThreeByThree();
    RemoveExpecting("重複したデータは存在しません。");
    EXPECT_EQ(0, editorState.isModified);
}

}  // namespace
