// zev lint's analysis against the conversion itself, on random small
// dictionaries whose patterns overlap a lot: removing an entry reported as
// never applying, or reported as changing nothing, leaves every conversion as
// it was; every other entry wins somewhere.
//
// "Wins somewhere" is tested by giving the entry another replacement, not by
// removing it: an entry with a later duplicate applies, but removing it
// changes nothing, since the duplicate then gives the same text. For an entry
// whose source equals its target, winning means taking its text as it is
// (so that no other entry can match inside it).
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "lint.h"
#include "zev.h"

namespace {

using zevtool::DictionaryModel;
using zevtool::EntryModel;
using zevtool::LintFinding;
using zevtool::LintKind;
using zevtool::LintReport;

// Few characters, so that patterns overlap: "\x82\x61" is one double-byte
// character whose second byte is "a", and "\x82" alone a lead byte that
// joins the next byte of a text.
const char* const kPieces[] = {"a", "b", "\x82\x61", "\x82"};

class RandomDictionary {
public:
    explicit RandomDictionary(std::mt19937& rng) : rng_(rng) {
        model_.levelNames.assign(1 + rng_() % 3, "");
        const size_t typeCounts[] = {1, 2, 3, 9};
        model_.typeNames.assign(typeCounts[rng_() % 4], "");
        const size_t count = 3 + rng_() % 8;
        for (size_t i = 0; i < count; ++i) model_.entries.push_back(RandomEntry());
    }
    const DictionaryModel& model() const { return model_; }

    std::string Text(size_t pieces) {
        std::string text;
        for (size_t k = 0; k < pieces; ++k) text += kPieces[rng_() % 4];
        return text;
    }
    // Texts that hold `pattern` in a few contexts.
    std::vector<std::string> Around(const std::string& pattern) {
        std::vector<std::string> texts = {pattern, pattern + pattern};
        for (int k = 0; k < 6; ++k) texts.push_back(Text(rng_() % 3) + pattern + Text(rng_() % 3));
        return texts;
    }

private:
    EntryModel RandomEntry() {
        EntryModel entry;
        const size_t levels = model_.levelNames.size();
        entry.level = static_cast<uint8_t>(1 + rng_() % (levels + 1));  // one beyond, at times
        // Types 1 to 4 at most: with one to three types, one beyond the count.
        const unsigned bits = static_cast<unsigned>(std::min<size_t>(model_.typeNames.size(), 3));
        entry.typeMask = static_cast<uint8_t>((1u << rng_() % (bits + 1)) |
                                              (rng_() % 3 ? 0 : 1u << rng_() % (bits + 1)));
        if (rng_() % 10 == 0 && entry.level <= levels) entry.typeMask = 0;
        const uint8_t conditions[] = {1, 1, 0, 0, 2};
        entry.condition = conditions[rng_() % 5];
        entry.source = rng_() % 20 ? Text(1 + rng_() % 3) : "";
        entry.target = rng_() % 4 == 0 ? entry.source : rng_() % 20 ? Text(1 + rng_() % 3) : "";
        return entry;
    }

    std::mt19937& rng_;
    DictionaryModel model_;
};

// Puts `entry` into slot `slot` (1-based) of the open dictionary, whose
// lowest free slot it must be.
void Store(uint16_t slot, const EntryModel& entry) {
    const uint8_t mask = entry.typeMask ? entry.typeMask : 1;
    ASSERT_EQ(slot, zevCreateData(entry.source.c_str(), entry.level, mask, entry.condition,
                                  entry.target.c_str()));
    if (entry.typeMask == 0) {
        ASSERT_EQ(1, zevUpdateData(slot, entry.source.c_str(), entry.level, 0, entry.condition,
                                   entry.target.c_str()));
    }
}

void Open(const DictionaryModel& model) {
    ASSERT_EQ(1, zevCreateDic("A", "B", static_cast<uint8_t>(model.levelNames.size()),
                              static_cast<uint8_t>(model.typeNames.size())));
    for (size_t i = 0; i < model.entries.size(); ++i)
        Store(static_cast<uint16_t>(i + 1), model.entries[i]);
}

struct Selection {
    uint8_t level, types;
};

// Every selection that can make a difference: the type test looks at a
// type mask only through the bits that some entry has, so the subsets of
// those bits (and one mask with none of them) stand for all 255 masks, and
// levels above the highest entry level act as that one.
std::vector<Selection> Selections(const DictionaryModel& model) {
    unsigned used = 0, top = 1;
    for (const EntryModel& entry : model.entries) {
        used |= entry.typeMask;
        top = std::max<unsigned>(top, entry.level);
    }
    std::vector<Selection> all;
    for (unsigned level = 1; level <= top; ++level) {
        for (unsigned types = used; types; types = (types - 1) & used)
            all.push_back({static_cast<uint8_t>(level), static_cast<uint8_t>(types)});
        const unsigned unused = ~used & 0xFFu;
        if (unused) all.push_back({static_cast<uint8_t>(level), uint8_t(unused & (0u - unused))});
    }
    return all;
}

std::vector<std::string> ConvertAll(const std::vector<Selection>& selections,
                                    const std::vector<std::string>& texts, bool backward) {
    std::vector<std::string> outputs;
    std::vector<char> buffer(4097);
    for (const Selection& s : selections) {
        for (const std::string& text : texts) {
            EXPECT_EQ(1, zevConvert(text.c_str(), buffer.data(), 4096, s.level, s.types,
                                    backward ? ZEV_CONVERT_BACKWARD : 0));
            outputs.push_back(buffer.data());
        }
    }
    return outputs;
}

// The entries the report says never apply in a direction, or change nothing.
std::set<size_t> Idle(const LintReport& report, int direction) {
    std::set<size_t> idle;
    for (int scope : {int(zevtool::kBothDirections), direction}) {
        for (const LintFinding& f : report.findings[scope]) {
            if (f.kind == LintKind::kUnreachable || f.kind == LintKind::kShadowed ||
                f.kind == LintKind::kDuplicate || f.kind == LintKind::kWithoutEffect ||
                (f.kind == LintKind::kAmbiguous && f.everywhere))
                idle.insert(f.entry);
        }
    }
    return idle;
}

std::string Describe(const DictionaryModel& model, size_t j, bool backward) {
    std::string out = std::string(backward ? "backward" : "forward") + ", entry " +
                      std::to_string(j + 1) + " of:\n";
    for (const EntryModel& e : model.entries)
        out += "  level " + std::to_string(e.level) + " types " + std::to_string(e.typeMask) +
               " condition " + std::to_string(e.condition) + " [" + e.source + "] [" + e.target +
               "]\n";
    return out + "  types " + std::to_string(model.typeNames.size()) + ", levels " +
           std::to_string(model.levelNames.size()) + "\n";
}

TEST(LintRandom, ReportedEntriesNeverMatterAndTheOthersWin) {
    std::mt19937 rng(16);
    size_t idleSeen = 0, activeSeen = 0;
    for (int round = 0; round < 200; ++round) {
        RandomDictionary dictionary(rng);
        const DictionaryModel& model = dictionary.model();
        const LintReport report = zevtool::LintDictionary(model);
        const std::vector<Selection> selections = Selections(model);
        Open(model);
        for (int direction : {int(zevtool::kForward), int(zevtool::kBackward)}) {
            const bool backward = direction == zevtool::kBackward;
            const std::set<size_t> idle = Idle(report, direction);
            for (size_t j = 0; j < model.entries.size(); ++j) {
                EntryModel entry = model.entries[j];
                const std::string& pattern = backward ? entry.target : entry.source;
                const std::vector<std::string> texts =
                    dictionary.Around(pattern.empty() ? dictionary.Text(2) : pattern);
                const std::vector<std::string> before = ConvertAll(selections, texts, backward);
                const uint16_t slot = static_cast<uint16_t>(j + 1);
                ASSERT_EQ(1, zevRemoveData(slot));
                const bool isIdle = idle.count(j) != 0;
                if (!isIdle) {  // the same entry with a replacement seen nowhere else
                    (backward ? entry.source : entry.target) = "#";
                    Store(slot, entry);
                }
                const std::vector<std::string> after = ConvertAll(selections, texts, backward);
                if (isIdle) {
                    EXPECT_EQ(before, after)
                        << "reported, but it matters: " << Describe(model, j, backward);
                    ++idleSeen;
                } else {
                    EXPECT_NE(before, after)
                        << "not reported, but it never wins: " << Describe(model, j, backward);
                    ++activeSeen;
                    ASSERT_EQ(1, zevRemoveData(slot));
                }
                Store(slot, model.entries[j]);
            }
        }
        ASSERT_EQ(1, zevCloseDic());
    }
    // Both sides are well represented.
    EXPECT_GT(idleSeen, 300u);
    EXPECT_GT(activeSeen, 1000u);
}

}  // namespace
