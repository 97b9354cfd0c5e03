// The matcher on its own and the engine's use of it, linked against a
// platform stand-in that can refuse memory: searches against a brute-force
// search, builds that run out of memory, the fall-back to the plain scan,
// and the cache that is built once and dropped on every change.
#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "corpus.h"
#include "dictionary.h"
#include "engine_platform.h"
#include "matcher.h"

namespace {

// Records in a plain array, standing in for a dictionary's entry table.
struct Table {
    std::vector<DataRecord> records;
    std::vector<const DataRecord*> entries;

    void Add(const std::string& source, const std::string& target) {
        DataRecord record;
        memset(&record, 0, sizeof record);
        CopyText(record.source, source.c_str());
        CopyText(record.target, target.c_str());
        records.push_back(record);
    }
    void Seal() {
        entries.clear();
        for (const DataRecord& r : records) entries.push_back(&r);
    }
};

// Lowest slot of `slots` whose pattern starts `at`, by trying them all.
bool BruteFind(const Table& t, const std::vector<uint16_t>& slots, bool backward, const char* at,
               Match* match) {
    for (uint16_t slot : slots) {
        const DataRecord& r = t.records[slot];
        const char* pattern = backward ? r.target : r.source;
        size_t length = strlen(pattern);
        if (strncmp(pattern, at, length) == 0) {
            match->slot = slot;
            match->patternLength = static_cast<uint32_t>(length);
            match->replacementLength =
                static_cast<uint32_t>(strlen(backward ? r.source : r.target));
            return true;
        }
    }
    return false;
}

// Pieces with shared prefixes, double-byte characters, bytes at both ends
// of the range and a lone lead byte.
const char* const kPieces[] = {"a", "ab", "b", "ア", "\x83", "\x41", "\xFF", "\x01", "表", "です"};

std::string RandomText(std::mt19937& r, int maxPieces) {
    std::string s;
    for (int n = static_cast<int>(r() % (maxPieces + 1)); n > 0; --n)
        s += kPieces[r() % (sizeof kPieces / sizeof *kPieces)];
    return s.substr(0, 255);
}

void ExpectSameSearch(const Matcher& m, const Table& t, const std::vector<uint16_t>& slots,
                      bool backward, const std::string& input) {
    for (size_t p = 0; p <= input.size(); ++p) {
        Match expected, found;
        bool want = BruteFind(t, slots, backward, input.c_str() + p, &expected);
        bool got = m.Find(reinterpret_cast<const uint8_t*>(input.c_str() + p), &found);
        ASSERT_EQ(want, got) << "at " << p << " of " << input;
        if (p == input.size()) continue;
        // The filter never turns away a position where a pattern starts.
        if (!want) continue;
        ASSERT_TRUE(
            m.MayStart(reinterpret_cast<const uint8_t*>(input.c_str() + p), input.size() - p))
            << "at " << p << " of " << input;
        ASSERT_EQ(expected.slot, found.slot) << "at " << p << " of " << input;
        ASSERT_EQ(expected.patternLength, found.patternLength);
        ASSERT_EQ(expected.replacementLength, found.replacementLength);
    }
}

TEST(MatcherTest, FindsTheLowestSlotWhosePatternStartsHere) {
    std::mt19937 r(6);
    for (int round = 0; round < 1500; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Table t;
        int count = 1 + static_cast<int>(r() % (round % 10 == 0 ? 600 : 40));
        for (int i = 0; i < count; ++i) {
            std::string source = RandomText(r, 1 + static_cast<int>(r() % 6));
            std::string target = RandomText(r, 1 + static_cast<int>(r() % 6));
            t.Add(source.empty() ? "a" : source, target.empty() ? "b" : target);
        }
        t.Seal();
        const bool backward = r() % 2 == 1;
        std::vector<uint16_t> slots;  // a selection, as level and types make one
        for (int i = 0; i < count; ++i)
            if (r() % 4 != 0) slots.push_back(static_cast<uint16_t>(i));
        Matcher m;
        ASSERT_TRUE(
            m.Build(t.entries.data(), slots.data(), static_cast<int>(slots.size()), backward));
        for (int text = 0; text < 4; ++text)
            ASSERT_NO_FATAL_FAILURE(ExpectSameSearch(m, t, slots, backward, RandomText(r, 30)));
        EXPECT_LE(m.PatternBytes(), static_cast<size_t>(count) * 255);
        m.Release();
    }
}

TEST(MatcherTest, FullTableOfLongPatterns) {
    // 16384 patterns of 255 bytes that share long prefixes: the deepest trie
    // and the largest tail pool a dictionary can give.
    Table t;
    std::mt19937 r(255);
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        std::string s(255, 'x');
        for (int k = 0; k < 8; ++k) s[200 + k * 7] = static_cast<char>('a' + (i >> (2 * k)) % 4);
        s[254] = static_cast<char>(1 + r() % 255);
        t.Add(s, std::string(255, static_cast<char>('A' + i % 26)));
    }
    t.Seal();
    std::vector<uint16_t> slots;
    for (int i = 0; i < ZEV_MAX_DATA; ++i) slots.push_back(static_cast<uint16_t>(i));
    Matcher m;
    ASSERT_TRUE(m.Build(t.entries.data(), slots.data(), ZEV_MAX_DATA, false));
    for (int i = 0; i < ZEV_MAX_DATA; i += 97) {
        std::string input = std::string(t.records[i].source) + "tail";
        Match expected, found;
        ASSERT_TRUE(BruteFind(t, slots, false, input.c_str(), &expected));
        ASSERT_TRUE(m.Find(reinterpret_cast<const uint8_t*>(input.c_str()), &found)) << i;
        EXPECT_EQ(expected.slot, found.slot);
        EXPECT_EQ(255u, found.patternLength);
        EXPECT_EQ(255u, found.replacementLength);
        // One byte short of the whole pattern matches nothing.
        input = std::string(t.records[i].source, 254);
        EXPECT_FALSE(m.Find(reinterpret_cast<const uint8_t*>(input.c_str()), &found));
    }
    m.Release();
}

// The trie and its filter together stay within four bytes per pattern byte
// for dictionaries of real words, however many.
TEST(MatcherTest, WordDictionariesTakeAtMostFourBytesPerPatternByte) {
    for (int size : {100, 1000, ZEV_MAX_DATA}) {
        SCOPED_TRACE(size);
        Table t;
        for (const corpus::Entry& e : corpus::MakeDictionary(size, 6000u + size))
            t.Add(e.source, e.target);
        t.Seal();
        std::vector<uint16_t> slots;
        for (int i = 0; i < size; ++i) slots.push_back(static_cast<uint16_t>(i));
        for (bool backward : {false, true}) {
            Matcher m;
            ASSERT_TRUE(m.Build(t.entries.data(), slots.data(), size, backward));
            EXPECT_GT(m.PatternBytes(), 0u);
            EXPECT_LE(m.MemoryBytes(), 4 * m.PatternBytes());
            m.Release();
        }
    }
}

TEST(MatcherTest, ABuildThatRunsOutOfMemoryFailsCleanly) {
    Table t;
    std::mt19937 r(7);
    for (int i = 0; i < 400; ++i) t.Add("p" + RandomText(r, 5), RandomText(r, 3));
    t.Seal();
    std::vector<uint16_t> slots;
    for (int i = 0; i < 400; ++i) slots.push_back(static_cast<uint16_t>(i));
    const long held = enginetest::liveBlocks;
    Matcher m;
    bool built = false;
    int failures = 0;
    for (long n = 0; !built && n < 1000; ++n) {
        enginetest::refuseFrom = enginetest::allocations + n;
        built = m.Build(t.entries.data(), slots.data(), 400, false);
        enginetest::refuseFrom = -1;
        if (!built) {
            ++failures;
            EXPECT_FALSE(m.IsBuilt());
            EXPECT_EQ(held, enginetest::liveBlocks) << "allocation " << n;
        }
    }
    ASSERT_TRUE(built);
    EXPECT_GE(failures, 3);  // items, tails and units at least
    ASSERT_NO_FATAL_FAILURE(ExpectSameSearch(m, t, slots, false, "pabアpp\x83\x41p表です"));
    m.Release();
    EXPECT_EQ(held, enginetest::liveBlocks);
}

// A dictionary object of its own, with entries that show which one won.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, d->CreateDic("A", "B", 3, 3));
        ASSERT_NE(0, d->CreateData("ab", 1, 1, 0, "X"));
        ASSERT_NE(0, d->CreateData("abc", 1, 1, 0, "Y"));
        ASSERT_NE(0, d->CreateData("です", 1, 1, 0, "や"));
    }
    void TearDown() override { enginetest::refuseFrom = -1; }

    std::string Convert(const char* input, uint32_t flags = 0) {
        char buffer[256];
        EXPECT_EQ(1, d->Convert(input, buffer, 255, 1, 1, flags));
        return buffer;
    }
    std::string Plain(const char* input, uint32_t flags = 0) {
        char buffer[256];
        EXPECT_EQ(1, d->ConvertWithPlainScan(input, buffer, 255, 1, 1, flags));
        return buffer;
    }
    // Allocations made by one conversion.
    long AllocationsOf(const char* input, uint32_t flags = 0) {
        long before = enginetest::allocations;
        Convert(input, flags);
        return enginetest::allocations - before;
    }

    std::unique_ptr<Dictionary> d{new Dictionary};
};

TEST_F(EngineTest, WithoutMemoryForTheMatcherThePlainScanConverts) {
    enginetest::refuseFrom = enginetest::allocations;
    EXPECT_EQ("Xcdそうや", Convert("abcdそうです"));
    EXPECT_EQ(Plain("abcdそうです"), Convert("abcdそうです"));
    EXPECT_EQ("ab", Convert("X", ZEV_CONVERT_BACKWARD));
    // A failed build is not retried for every call...
    enginetest::refuseFrom = -1;
    EXPECT_EQ(0, AllocationsOf("abcd"));
    // ...but after the next change the matcher is built and used.
    ASSERT_EQ(1, d->SwapPointer(1, 2));
    EXPECT_GT(AllocationsOf("abcd"), 0);
    EXPECT_EQ("Yd", Convert("abcd"));
    EXPECT_EQ(0, AllocationsOf("abcd"));
}

TEST_F(EngineTest, TheMatcherIsBuiltOnceAndRebuiltAfterEveryChange) {
    EXPECT_GT(AllocationsOf("abcd"), 0);
    // Conversions with the same selection reuse it and allocate nothing.
    EXPECT_EQ(0, AllocationsOf("abcd"));
    EXPECT_EQ(0, AllocationsOf("abcdabcd"));
    // Each direction keeps its own.
    EXPECT_GT(AllocationsOf("X", ZEV_CONVERT_BACKWARD), 0);
    EXPECT_EQ(0, AllocationsOf("X", ZEV_CONVERT_BACKWARD));
    EXPECT_EQ(0, AllocationsOf("abcd"));
    // Names and footer do not touch the entries.
    ASSERT_EQ(1, d->SetLevelAndType("level", 1, "type", 1));
    ASSERT_EQ(1, d->UpdateFooter(2, 0, 0, "comment", 2026, "holder"));
    EXPECT_EQ(0, AllocationsOf("abcd"));

    struct Change {
        const char* name;
        bool (*apply)(Dictionary&);
    };
    const Change changes[] = {
        {"create", [](Dictionary& x) { return x.CreateData("z", 1, 1, 0, "Z") != 0; }},
        {"update", [](Dictionary& x) { return x.UpdateData(4, "zz", 1, 1, 0, "Z") == 1; }},
        {"remove", [](Dictionary& x) { return x.RemoveData(4) == 1; }},
        {"swap", [](Dictionary& x) { return x.SwapPointer(1, 2) == 1; }},
        {"close and create",
         [](Dictionary& x) {
             return x.CloseDic() == 1 && x.CreateDic("A", "B", 3, 3) == 1 &&
                    x.CreateData("ab", 1, 1, 0, "X") != 0;
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        ASSERT_TRUE(change.apply(*d));
        EXPECT_GT(AllocationsOf("abcd"), 0);
        EXPECT_EQ(0, AllocationsOf("abcd"));
        EXPECT_EQ(Plain("abcdzz"), Convert("abcdzz"));
    }
}

TEST_F(EngineTest, AnotherSelectionReplacesTheMatcherOfItsDirection) {
    ASSERT_NE(0, d->CreateData("ab", 2, 1, 0, "level 2"));
    ASSERT_EQ(1, d->SwapPointer(1, 4));
    char buffer[64];
    ASSERT_EQ(1, d->Convert("ab", buffer, 63, 2, 1, 0));
    EXPECT_STREQ("level 2", buffer);
    ASSERT_EQ(1, d->Convert("ab", buffer, 63, 1, 1, 0));
    EXPECT_STREQ("X", buffer);
    ASSERT_EQ(1, d->Convert("ab", buffer, 63, 2, 1, 0));
    EXPECT_STREQ("level 2", buffer);
}

}  // namespace
