// A generated dictionary of 16384 Japanese words and phrases on running
// Japanese text: the library against the reference model, whole and line by
// line, for several selections of level and types, in both directions.
#include <string>
#include <vector>

#include "corpus.h"
#include "reference_convert.h"
#include "zev_fixture.h"

namespace {

class ConvertCorpusTest : public ZevTest {
protected:
    void SetUp() override {
        ZevTest::SetUp();
        ASSERT_EQ(1, zevCreateDic("標準語", "関西弁", 3, 3));
        for (const corpus::Entry& e : corpus::MakeDictionary(ZEV_MAX_DATA, 932)) {
            ASSERT_NE(0, zevCreateData(e.source.c_str(), e.level, e.typeMask, e.condition,
                                       e.target.c_str()));
            slots.push_back({true, e.level, e.typeMask, e.condition, e.source, e.target});
        }
    }

    // Converts `text` in one call and line by line; both must agree with the model.
    void Compare(const std::string& text, uint8_t level, uint8_t types, uint32_t flags,
                 std::string* converted) {
        std::vector<char> buffer(65536);
        ReferenceResult whole = ReferenceConvert(slots, 3, text, 65535, level, types, flags);
        ASSERT_EQ(1, zevConvert(text.c_str(), buffer.data(), 65535, level, types, flags));
        ASSERT_EQ(whole.output, std::string(buffer.data()));
        for (const std::string& line : corpus::SplitLines(text, 80)) {
            ReferenceResult expected = ReferenceConvert(slots, 3, line, 65535, level, types, flags);
            ASSERT_EQ(1, zevConvert(line.c_str(), buffer.data(), 65535, level, types, flags));
            ASSERT_EQ(expected.output, std::string(buffer.data())) << line;
        }
        *converted = whole.output;
    }

    std::vector<ReferenceEntry> slots;
};

TEST_F(ConvertCorpusTest, MatchesTheReferenceModelOnRunningText) {
    const std::string text = corpus::MakeText(4000, 1);
    const struct { uint8_t level, types; } selections[] = {{3, 7}, {1, 1}, {2, 6}};
    for (const auto& s : selections) {
        SCOPED_TRACE("level " + std::to_string(s.level) + " types " + std::to_string(s.types));
        std::string dialect, back;
        ASSERT_NO_FATAL_FAILURE(Compare(text, s.level, s.types, 0, &dialect));
        // The dictionary does change this text, and the way back is checked too.
        EXPECT_NE(text, dialect);
        ASSERT_NO_FATAL_FAILURE(Compare(dialect, s.level, s.types, ZEV_CONVERT_BACKWARD, &back));
    }
}

}  // namespace
