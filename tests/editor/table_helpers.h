// The library's entry table as a test sees it, and random tables that are hard to order:
// hiragana and katakana spellings of one word, ゛ against ﾞ, letters in both cases,
// hyphens and apostrophes, many equal lengths and levels, and free slots between entries.
#ifndef ZEV_TESTS_EDITOR_TABLE_HELPERS_H
#define ZEV_TESTS_EDITOR_TABLE_HELPERS_H

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "zev.h"

struct TableEntry {
    std::string source;
    std::string target;
    int level;
    int typeMask;
    int condition;

    bool operator==(const TableEntry& other) const {
        return source == other.source && target == other.target && level == other.level &&
               typeMask == other.typeMask && condition == other.condition;
    }
};

inline void PrintTo(const TableEntry& e, std::ostream* out) {
    *out << "{" << e.source << ", " << e.target << ", level " << e.level << ", types " << e.typeMask
         << ", condition " << e.condition << "}";
}

// The entry in `slot` (1-based) as the library gives it; false when the slot is free.
inline bool ReadSlot(int slot, TableEntry* entry) {
    char source[256] = {}, target[256] = {};
    uint8_t level = 0, typeMask = 0, condition = 0;
    if (!zevGetData(static_cast<uint16_t>(slot), source, &level, &typeMask, &condition, target))
        return false;
    *entry = {source, target, level, typeMask, condition};
    return true;
}

// The entry in `slot`, which the test expects to be occupied.
inline TableEntry ReadEntry(int slot) {
    TableEntry entry{};
    EXPECT_TRUE(ReadSlot(slot, &entry)) << "slot " << slot << " is free";
    return entry;
}

// Occupied slot -> entry.
using Table = std::map<int, TableEntry>;

inline Table ReadTable() {
    Table table;
    for (int slot = 1; slot <= ZEV_MAX_DATA; ++slot) {
        TableEntry entry;
        if (ReadSlot(slot, &entry)) table[slot] = entry;
    }
    return table;
}

inline std::vector<int> Slots(const Table& table) {
    std::vector<int> slots;
    for (const auto& slot : table) slots.push_back(slot.first);
    return slots;
}

inline std::vector<TableEntry> Entries(const Table& table) {
    std::vector<TableEntry> entries;
    for (const auto& slot : table) entries.push_back(slot.second);
    return entries;
}

// Adds count entries to the open dictionary, then frees about a quarter of the slots.
inline void FillRandomTable(uint32_t seed, int count) {
    // Spellings of one sound: hiragana, katakana, and some half-width or other variants.
    static const std::vector<std::vector<const char*>> kSounds = {
        {"か", "カ", "ｶ"}, {"が", "ガ", "ｶﾞ"}, {"き", "キ"}, {"きゃ", "キャ"}, {"は", "ハ"},
        {"ば", "バ"},      {"ぱ", "パ"},       {"ん", "ン"}, {"ー", "-"},      {"゛", "ﾞ"},
        {"a", "A"},        {"b", "B"},         {"'", "’"},   {"本"},           {"１", "1"},
        {"z", "Z"}};
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    // A few words, so that many entries share a word in some spelling.
    std::vector<std::vector<int>> words;
    for (int w = 0; w < 40; ++w) {
        std::vector<int> word;
        for (int length = 1 + pick(4); length > 0; --length) word.push_back(pick(16));
        words.push_back(word);
    }
    auto spell = [&](const std::vector<int>& word) {
        std::string text;
        for (int sound : word) text += kSounds[sound][pick(int(kSounds[sound].size()))];
        return text;
    };
    static const char* kTargets[] = {"おおきに", "オオキニ", "あかん", "てﾞ", "て゛", "x", "X"};
    for (int i = 0; i < count; ++i) {
        std::string source = spell(words[pick(int(words.size()))]);
        const char* target = kTargets[pick(7)];
        ASSERT_NE(0, zevCreateData(source.c_str(), static_cast<uint8_t>(1 + pick(3)),
                                   static_cast<uint8_t>(1 + pick(7)), static_cast<uint8_t>(pick(2)),
                                   target));
    }
    for (int slot = 1; slot <= count; ++slot) {
        if (pick(4) == 0) {
            ASSERT_EQ(1, zevRemoveData(static_cast<uint16_t>(slot)));
        }
    }
}

#endif
