// Sorting the entry table by source string, by source length or by level.
//
// The table order is the conversion's priority order. Comparing every pair of slots with
// CompareStringA would take minutes on a full dictionary, so each entry's key is made
// once (for the source order, the locale's sort key, which compared bytewise agrees with
// CompareStringA under the same locale and flags) and the entries are sorted once, stably.
// The permutation is then carried out with zevSwapPointer over the occupied slots only.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor.h"
#include "resource.h"
#include "zev.h"

namespace {

const DWORD kSourceOrderFlags = SORT_STRINGSORT | NORM_IGNOREKANATYPE;

struct SortItem {
    uint16_t slot;    // where the entry stood before the sort
    std::string key;  // source order: the sort key, or the source itself (see MakeSortKey)
    int number;       // length order: the source length; level order: the level
};

// The locale's sort key of text; false when the system cannot make one.
bool MakeSortKey(const char* text, std::string* key) {
    int size = LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY | kSourceOrderFlags, text, -1,
                            nullptr, 0);
    if (size <= 0) return false;
    key->assign(size, '\0');
    return LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY | kSourceOrderFlags, text, -1,
                        &(*key)[0], size) == size;
}

// The occupied slots in rising order, each with its key. For the source order the keys
// are sort keys; if any cannot be made they are the sources themselves and *byCompare is
// set, so that the sort asks CompareStringA instead (slower, same order).
std::vector<SortItem> ReadKeys(int order, bool* byCompare) {
    std::vector<SortItem> items;
    items.reserve(zevGetDataCount());
    *byCompare = false;
    EntryRecord entry;
    for (int index = 1; index <= ZEV_MAX_DATA; ++index) {
        if (!ReadEntry(index, &entry)) continue;
        SortItem item{static_cast<uint16_t>(index), std::string(), 0};
        if (order == IDM_SORT_BY_SOURCE)
            item.key = entry.source;
        else
            item.number =
                order == IDM_SORT_BY_LENGTH ? static_cast<int>(strlen(entry.source)) : entry.level;
        items.push_back(item);
    }
    if (order != IDM_SORT_BY_SOURCE) return items;
    std::vector<std::string> keys(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (!MakeSortKey(items[i].key.c_str(), &keys[i])) {
            *byCompare = true;
            return items;
        }
    }
    for (size_t i = 0; i < items.size(); ++i) items[i].key.swap(keys[i]);
    return items;
}

// Positions (into items) in their new order: equal keys keep their relative order.
std::vector<int> SortedOrder(const std::vector<SortItem>& items, int order, bool byCompare) {
    std::vector<int> positions(items.size());
    for (size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<int>(i);
    auto before = [&](int a, int b) {
        const SortItem& x = items[a];
        const SortItem& y = items[b];
        if (order == IDM_SORT_BY_LENGTH) return x.number > y.number;  // longest first
        if (order == IDM_SORT_BY_LEVEL) return x.number < y.number;   // lowest first
        if (byCompare)
            return CompareStringA(LOCALE_SYSTEM_DEFAULT, kSourceOrderFlags, x.key.c_str(), -1,
                                  y.key.c_str(), -1) == CSTR_LESS_THAN;
        return x.key < y.key;  // bytewise, as unsigned bytes
    };
    std::stable_sort(positions.begin(), positions.end(), before);
    return positions;
}

// Moves the entries so that the n-th occupied slot holds the entry that stood at
// items[wanted[n]]: cycle by cycle, at most one exchange fewer than there are entries.
// Returns whether any exchange was made.
bool ApplyOrder(const std::vector<SortItem>& items, const std::vector<int>& wanted) {
    size_t count = items.size();
    std::vector<int> heldAt(count), positionOf(count);  // entry at a position, and inverse
    for (size_t i = 0; i < count; ++i) heldAt[i] = positionOf[i] = static_cast<int>(i);
    bool exchanged = false;
    for (size_t p = 0; p < count; ++p) {
        int entry = wanted[p];
        int from = positionOf[entry];
        if (from == static_cast<int>(p)) continue;
        // A refused exchange simply does not happen; the bookkeeping follows the table.
        if (!zevSwapPointer(items[p].slot, items[from].slot)) continue;
        exchanged = true;
        int displaced = heldAt[p];
        heldAt[p] = entry;
        positionOf[entry] = static_cast<int>(p);
        heldAt[from] = displaced;
        positionOf[displaced] = from;
    }
    return exchanged;
}

}  // namespace

void SortEntries(HWND mainWindow, const char* fileName, int* modified, int order) {
    if (order != IDM_SORT_BY_SOURCE && order != IDM_SORT_BY_LENGTH && order != IDM_SORT_BY_LEVEL)
        return;
    bool byCompare = false;
    std::vector<SortItem> items = ReadKeys(order, &byCompare);
    // A stable sort of a table already in order is the identity: no exchange, and
    // isModified stays as it was.
    if (ApplyOrder(items, SortedOrder(items, order, byCompare))) *modified = 1;
    RefillList(mainWindow);
    UpdateTitle(mainWindow, fileName, *modified);
}
