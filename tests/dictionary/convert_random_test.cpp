// Randomised comparison of zevConvert with the plain reference model: random
// dictionaries (read from files, so that any level, mask, condition and type
// count occurs, and texts with a 0 byte inside), random texts with
// double-byte characters, both directions, small limits, and changes to the
// table (create, update, remove, swap) between calls.
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "reference_convert.h"
#include "zev_fixture.h"

namespace {

// Pieces that collide: shared prefixes, double-byte characters whose second
// byte is also a single-byte character, half-width katakana, lone lead bytes.
const char* const kPieces[] = {
    "a",  "b",  "ab", "ba", "A",    "\\",   "\x5C", "ｱ",  "ｶﾞ",
    "あ", "ア", "表", "ソ", "です", "\x83", "\x95", "Aa", "aア",
};

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::string Text(int maxPieces) {
        std::string s;
        for (int n = Below(maxPieces + 1); n > 0; --n)
            s += kPieces[Below(sizeof kPieces / sizeof *kPieces)];
        return s.substr(0, 255);
    }

private:
    std::mt19937 engine_;
};

class ConvertRandomTest : public ZevTest {
protected:
    // Writes and opens a random dictionary; `slots` mirrors its table.
    void OpenRandomDictionary(Random& r) {
        FileLayout layout;
        typeCount = r.Below(11);
        layout.levels.assign(1 + r.Below(4), "L");
        layout.types.assign(typeCount, "T");
        int count = 1 + r.Below(24);
        slots.assign(count, ReferenceEntry());
        for (ReferenceEntry& e : slots) {
            e.used = true;
            e.level = static_cast<uint8_t>(1 + r.Below(5));
            e.mask = static_cast<uint8_t>(r.Chance(15) ? 0 : r.Below(256));
            e.condition = static_cast<uint8_t>(r.Below(3));
            e.source = r.Chance(5) ? "" : r.Text(3);
            e.target = r.Chance(5) ? "" : r.Text(3);
            std::string storedSource = e.source, storedTarget = e.target;
            // A file may hold a 0 byte inside a text; the scan sees the text
            // only up to it.
            if (r.Chance(5)) storedSource += std::string(1, '\0') + r.Text(2);
            if (r.Chance(5)) storedTarget += std::string(1, '\0') + r.Text(2);
            layout.entries.push_back({e.level, e.mask, e.condition, storedSource.substr(0, 255),
                                      storedTarget.substr(0, 255)});
        }
        std::string path = testfiles::Path("random.zev");
        testfiles::Write(path, layout.Build());
        ASSERT_EQ(1, zevOpenDic(path.c_str()));
    }

    // One random change through the interface, mirrored in `slots`.
    void ChangeTable(Random& r) {
        int choice = r.Below(4);
        int a = 1 + r.Below(static_cast<int>(slots.size()));
        int b = 1 + r.Below(static_cast<int>(slots.size()));
        if (choice == 0 && slots[a - 1].used && slots[b - 1].used) {
            ASSERT_EQ(1, zevSwapPointer(a, b));
            std::swap(slots[a - 1], slots[b - 1]);
        } else if (choice == 1 && slots[a - 1].used && zevGetDataCount() > 1) {
            ASSERT_EQ(1, zevRemoveData(a));
            slots[a - 1] = ReferenceEntry();
        } else if (choice == 2 && slots[a - 1].used) {
            ReferenceEntry& e = slots[a - 1];
            e.level = 1;  // within every dictionary's level count
            e.mask = static_cast<uint8_t>(r.Below(2));
            e.condition = static_cast<uint8_t>(r.Below(3));
            e.source = r.Text(3);
            e.target = r.Text(2);
            ASSERT_EQ(1, zevUpdateData(a, e.source.c_str(), e.level, e.mask, e.condition,
                                       e.target.c_str()));
        } else {
            ReferenceEntry e;
            e.used = true;
            e.level = static_cast<uint8_t>(1 + r.Below(3));
            e.mask = static_cast<uint8_t>(1 + r.Below(255));
            e.condition = static_cast<uint8_t>(r.Below(2));
            e.source = r.Text(2);
            e.target = r.Text(2);
            uint16_t slot =
                zevCreateData(e.source.c_str(), e.level, e.mask, e.condition, e.target.c_str());
            ASSERT_NE(0, slot);
            if (slot > slots.size()) slots.resize(slot);
            slots[slot - 1] = e;
        }
    }

    // One conversion compared; `selection` (level, types) when given, else random.
    void CompareOnce(Random& r, int round, const uint8_t* selection = nullptr, int pieces = 12) {
        std::string input = r.Text(pieces);
        uint32_t limit = r.Chance(50) ? 1 + r.Below(12) : 1000;
        uint8_t level = static_cast<uint8_t>(1 + r.Below(5));
        uint8_t types = static_cast<uint8_t>(1 + r.Below(255));
        if (selection) {
            level = selection[0];
            types = selection[1];
        }
        uint32_t flags = static_cast<uint32_t>(r.Below(4)) | (r.Chance(10) ? 0x100u : 0u);

        ReferenceResult expected =
            ReferenceConvert(slots, typeCount, input, limit, level, types, flags);
        std::vector<char> buffer(limit + 8, '\x7F');
        uint16_t errorBefore = zevGetZevLastError();
        int result = zevConvert(input.c_str(), buffer.data(), limit, level, types, flags);
        ASSERT_EQ(expected.result, result) << "round " << round << " input " << input;
        ASSERT_EQ(expected.output, std::string(buffer.data(), expected.output.size()))
            << "round " << round << " input " << input << " limit " << limit;
        ASSERT_EQ('\0', buffer[expected.output.size()]) << "round " << round;
        ASSERT_EQ('\x7F', buffer[limit + 1]) << "round " << round;
        ASSERT_EQ(errorBefore, zevGetZevLastError());
    }

    std::vector<ReferenceEntry> slots;
    int typeCount = 0;
};

TEST_F(ConvertRandomTest, MatchesTheReferenceModel) {
    const uint32_t seed = 20261208;
    Random r(seed);
    for (int dictionary = 0; dictionary < 600; ++dictionary) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " dictionary " + std::to_string(dictionary));
        OpenRandomDictionary(r);
        for (int round = 0; round < 40; ++round) {
            if (r.Chance(20)) {
                ASSERT_NO_FATAL_FAILURE(ChangeTable(r));
            }
            ASSERT_NO_FATAL_FAILURE(CompareOnce(r, round));
        }
        ASSERT_EQ(1, zevCloseDic());
    }
}

// Larger dictionaries made through the interface from a few pieces, so that
// patterns share long prefixes, end inside one another and repeat: the
// matcher's deep and crowded cases. Each selection is converted several
// times in a row, so that kept matchers are used as well as fresh ones.
TEST_F(ConvertRandomTest, CrowdedDictionariesMatchTheReferenceModel) {
    const uint32_t seed = 6;
    Random r(seed);
    for (int dictionary = 0; dictionary < 1500; ++dictionary) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " dictionary " + std::to_string(dictionary));
        typeCount = 1 + r.Below(9);
        ASSERT_EQ(1, zevCreateDic("A", "B", 3, static_cast<uint8_t>(typeCount)));
        int count = 1 + r.Below(dictionary % 20 == 0 ? 2000 : 120);
        slots.assign(count, ReferenceEntry());
        for (ReferenceEntry& e : slots) {
            e.used = true;
            e.level = static_cast<uint8_t>(1 + r.Below(3));
            e.mask = static_cast<uint8_t>(1 + r.Below(255));
            e.condition = static_cast<uint8_t>(r.Below(2));
            e.source = r.Text(4);
            e.target = r.Text(4);
            ASSERT_NE(
                0, zevCreateData(e.source.c_str(), e.level, e.mask, e.condition, e.target.c_str()));
        }
        const uint8_t selection[2] = {static_cast<uint8_t>(1 + r.Below(3)),
                                      static_cast<uint8_t>(1 + r.Below(255))};
        for (int round = 0; round < 12; ++round) {
            if (r.Chance(25)) {
                ASSERT_NO_FATAL_FAILURE(ChangeTable(r));
            }
            ASSERT_NO_FATAL_FAILURE(CompareOnce(r, round, r.Chance(70) ? selection : nullptr, 40));
        }
        ASSERT_EQ(1, zevCloseDic());
    }
}

}  // namespace
