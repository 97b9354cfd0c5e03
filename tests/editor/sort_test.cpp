// Sorting the entry table: each order against the plain pairwise exchange sort, which
// compares every pair of slots with CompareStringA, on random tables.
#include <algorithm>

#include "editor_fixture.h"
#include "table_helpers.h"

namespace {

const int kOrders[] = {IDM_SORT_BY_SOURCE, IDM_SORT_BY_LENGTH, IDM_SORT_BY_LEVEL};

// Whether entry a comes strictly before the key entry b.
bool ComesFirst(const TableEntry& a, const TableEntry& b, int order) {
    switch (order) {
        case IDM_SORT_BY_SOURCE:
            return CompareStringA(0x0800, 0x11000, b.source.c_str(), -1, a.source.c_str(), -1) ==
                   CSTR_GREATER_THAN;
        case IDM_SORT_BY_LENGTH:
            return a.source.size() > b.source.size();
        default:
            return static_cast<uint8_t>(a.level) < static_cast<uint8_t>(b.level);
    }
}

bool SameKey(const TableEntry& a, const TableEntry& b, int order) {
    return !ComesFirst(a, b, order) && !ComesFirst(b, a, order);
}

// The exchange sort over the occupied slots, pair by pair; returns the exchanges made.
int PairwiseSort(std::vector<TableEntry>& entries, int order) {
    int exchanges = 0;
    for (size_t p = 0; p < entries.size(); ++p)
        for (size_t j = p + 1; j < entries.size(); ++j)
            if (ComesFirst(entries[j], entries[p], order)) {
                std::swap(entries[p], entries[j]);
                ++exchanges;
            }
    return exchanges;
}

// Insertion sort with the same comparison: equal keys keep their relative order.
void StableInsertionSort(std::vector<TableEntry>& entries, int order) {
    for (size_t i = 1; i < entries.size(); ++i)
        for (size_t j = i; j > 0 && ComesFirst(entries[j], entries[j - 1], order); --j)
            std::swap(entries[j], entries[j - 1]);
}

class SortTest : public EditorTest {
protected:
    void AddEntries(const std::vector<std::pair<const char*, int>>& entries) {
        for (const auto& e : entries)
            ASSERT_NE(0, zevCreateData(e.first, static_cast<uint8_t>(e.second), 1, 0, "x"));
    }
    std::vector<std::string> Sources() {
        std::vector<std::string> sources;
        for (const TableEntry& e : Entries(ReadTable())) sources.push_back(e.source);
        return sources;
    }
};

TEST_F(SortTest, EachOrderMatchesThePairwiseSortOnRandomTables) {
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        for (int order : kOrders) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", order " << order);
            if (zevIsOpen()) zevCloseDic();
            OpenThreeByThree();
            FillRandomTable(seed, 300);
            Table before = ReadTable();
            std::vector<TableEntry> pairwise = Entries(before);
            int exchanges = PairwiseSort(pairwise, order);
            std::vector<TableEntry> stable = Entries(before);
            StableInsertionSort(stable, order);

            editorState.isModified = 0;
            Command(order);
            Table after = ReadTable();
            EXPECT_EQ(Slots(before), Slots(after));
            std::vector<TableEntry> sorted = Entries(after);
            // The same keys position by position as the pairwise sort; ties in their
            // earlier order.
            ASSERT_EQ(pairwise.size(), sorted.size());
            for (size_t i = 0; i < sorted.size(); ++i)
                ASSERT_TRUE(SameKey(pairwise[i], sorted[i], order))
                    << "position " << i << ": " << pairwise[i].source << " against "
                    << sorted[i].source;
            EXPECT_EQ(stable, sorted);
            EXPECT_EQ(exchanges > 0 ? 1 : 0, editorState.isModified);

            // Sorted again: nothing moves and the flag stays clear.
            editorState.isModified = 0;
            Command(order);
            EXPECT_EQ(after, ReadTable());
            EXPECT_EQ(0, editorState.isModified);
        }
    }
}

TEST_F(SortTest, TheListShowsTheNewOrderAndTheTitleTheChange) {
    OpenThreeByThree();
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    AddEntries({{"ab", 3}, {"abcd", 1}, {"ありがとう", 2}});
    RefillList(main);

    Command(IDM_SORT_BY_LEVEL);
    EXPECT_EQ((std::vector<std::string>{"00001", "abcd", "x", "弱", "OR"}), Row(0));
    EXPECT_EQ((std::vector<std::string>{"00003", "ab", "x", "強", "OR"}), Row(2));
    EXPECT_EQ(3, RowCount());
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());

    // An order already in place changes neither the flag nor the title.
    editorState.isModified = 0;
    UpdateTitle(main, editorState.currentFileName, 0);
    Command(IDM_SORT_BY_LEVEL);
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ("kansai.zev - 方言辞書エディタ", Caption());
}

TEST_F(SortTest, LengthCountsBytesAndKanaSpellingsAreEqualKeys) {
    OpenThreeByThree();
    AddEntries({{"abc", 1}, {"ああ", 1}, {"カキ", 1}, {"かき", 1}, {"a", 1}});
    editorState.isModified = 0;
    Command(IDM_SORT_BY_LENGTH);
    EXPECT_EQ((std::vector<std::string>{"ああ", "カキ", "かき", "abc", "a"}), Sources());
    EXPECT_EQ(1, editorState.isModified);

    // Hiragana and katakana compare equal, so neither passes the other, either way round.
    for (const char* first : {"カキ", "かき"}) {
        const char* second = strcmp(first, "かき") == 0 ? "カキ" : "かき";
        if (zevIsOpen()) zevCloseDic();
        OpenThreeByThree();
        AddEntries({{first, 1}, {second, 1}, {"かく", 1}});
        editorState.isModified = 0;
        Command(IDM_SORT_BY_SOURCE);
        EXPECT_EQ((std::vector<std::string>{first, second, "かく"}), Sources());
        EXPECT_EQ(0, editorState.isModified);
    }
}

TEST_F(SortTest, EntriesStayInTheirSlotsAcrossGaps) {
    OpenThreeByThree();
    for (int slot = 1; slot <= 9; ++slot) {
        const char* source = slot == 1 ? "ん" : slot == 5 ? "あ" : slot == 9 ? "か" : "-";
        ASSERT_NE(0, zevCreateData(source, 1, 1, 0, "x"));
    }
    for (int slot : {2, 3, 4, 6, 7, 8}) ASSERT_EQ(1, zevRemoveData(static_cast<uint16_t>(slot)));
    Command(IDM_SORT_BY_SOURCE);
    Table table = ReadTable();
    EXPECT_EQ((std::vector<int>{1, 5, 9}), Slots(table));
    EXPECT_EQ("あ", table[1].source);
    EXPECT_EQ("か", table[5].source);
    EXPECT_EQ("ん", table[9].source);
    EXPECT_EQ((std::vector<std::string>{"00001", "00005", "00009"}), FirstColumn());
}

TEST_F(SortTest, AnEmptyTableChangesNothing) {
    OpenThreeByThree();
    for (int order : kOrders) {
        editorState.isModified = 0;
        Command(order);
        EXPECT_EQ(0, editorState.isModified);
        EXPECT_EQ(0, RowCount());
    }
}

}  // namespace
