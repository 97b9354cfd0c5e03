// Removing entries whose source and target both equal those of an entry at a lower index.
//
// Equality is lstrcmpA's: it can call different bytes equal (゛ and ﾞ), so byte equality
// would miss duplicates. Comparing every pair with lstrcmpA takes minutes on a full
// dictionary; instead each entry's two strings get the sort keys made with lstrcmpA's
// locale and flags, which are equal exactly when lstrcmpA returns 0, and the entries are
// grouped on them. Before a deletion lstrcmpA itself confirms the match with the survivor.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "editor.h"
#include "zev.h"

namespace {

struct TextPair {
    std::string source;
    std::string target;
};

// lstrcmpA's sort key of text (the user's locale, no flags), tagged "k"; when the system
// cannot make one, the text itself tagged "t", which then matches only byte-equal texts.
std::string EqualityKey(const char* text) {
    int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text, -1, nullptr, 0);
    if (size > 0) {
        std::string key(size + 1, 'k');
        if (LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text, -1, &key[1], size) == size)
            return key;
    }
    return std::string("t") + text;
}

// The slots to delete, in rising order: every entry but the lowest-indexed of its group.
std::vector<uint16_t> FindDuplicates() {
    std::map<std::pair<std::string, std::string>, uint16_t> firstOfGroup;
    std::map<uint16_t, TextPair> texts;  // of the survivors, for the confirmation
    std::vector<uint16_t> duplicates;
    EntryRecord entry;
    for (int index = 1; index <= ZEV_MAX_DATA; ++index) {
        uint16_t slot = static_cast<uint16_t>(index);
        if (!ReadEntry(index, &entry)) continue;
        const char* source = entry.source;
        const char* target = entry.target;
        auto group =
            firstOfGroup.emplace(std::make_pair(EqualityKey(source), EqualityKey(target)), slot);
        if (group.second) {
            texts[slot] = TextPair{source, target};
            continue;
        }
        const TextPair& first = texts[group.first->second];
        if (lstrcmpA(first.source.c_str(), source) == 0 &&
            lstrcmpA(first.target.c_str(), target) == 0)
            duplicates.push_back(slot);
    }
    return duplicates;
}

}  // namespace

void RemoveDuplicateEntries(HWND mainWindow, int* modified) {
    uint16_t count = 0;
    for (uint16_t slot : FindDuplicates()) {
        // A deletion the library refuses simply does not happen.
        if (zevRemoveData(slot)) ++count;
    }
    if (count > 0) {
        char text[128];
        wsprintfA(text, "%d件の重複したﾃﾞｰﾀを削除しました。", count);
        MessageBoxA(mainWindow, text, kProgramName, MB_OK | MB_ICONINFORMATION);
        *modified = 1;
    } else {
        MessageBoxA(mainWindow, "重複したデータは存在しません。", kProgramName,
                    MB_OK | MB_ICONINFORMATION);
    }
    RefillList(mainWindow);
}
