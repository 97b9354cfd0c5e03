// Every way of finding where to try the matcher (character by character,
// the portable filter, SSSE3, AVX2, AVX-512) against the plain scan: random
// dictionaries whose patterns start with control bytes, with trail-byte
// values and with lone lead bytes, over texts that hold them too, each text
// converted cut at every length, with random output limits. Every byte of
// the output buffer must agree, written or not.
#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dictionary.h"
#include "prefilter.h"

namespace {

// Bytes below 0x40 (never a trail byte), trail-byte values that are also
// single-byte characters or lead bytes, lone lead bytes, and characters.
const char* const kPieces[] = {
    "\x01",         " ",        "0",   "?",        "\n",   "@",    "A",    "\x7E",
    "\x80",         "\xA0",     "ｱ",   "\xDF",     "\x81", "\x9F", "\xE0", "\xFC",
    "\xFD",         "\xFF",     "あ",  "ア",       "表",   "ソ",   "です", "\x81\x40",
    "\x82\xA0\x82", "\x83\x5C", "abc", "\x81\x81",
};

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    uint32_t Below(uint32_t n) { return engine_() % n; }
    std::string Text(int maxPieces) {
        std::string s;
        for (int n = static_cast<int>(Below(maxPieces + 1)); n > 0; --n)
            s += kPieces[Below(sizeof kPieces / sizeof *kPieces)];
        return s;
    }

private:
    std::mt19937 engine_;
};

std::vector<ScanPath> SupportedPaths() {
    std::vector<ScanPath> paths;
    for (ScanPath path : {ScanPath::kStepping, ScanPath::kPortable, ScanPath::kSsse3,
                          ScanPath::kAvx2, ScanPath::kAvx512})
        if (ScanPathSupported(path)) paths.push_back(path);
    return paths;
}

class ScanPathTest : public ::testing::Test {
protected:
    void TearDown() override { ChooseScanPath(original); }
    const ScanPath original = CurrentScanPath();
};

TEST_F(ScanPathTest, EveryPathGivesThePlainScansBytes) {
    const std::vector<ScanPath> paths = SupportedPaths();
    Random r(19);
    for (int round = 0; round < 120; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::unique_ptr<Dictionary> d(new Dictionary);
        ASSERT_EQ(1, d->CreateDic("a", "b", 1, 1));
        const int entries = 1 + static_cast<int>(r.Below(round % 8 == 0 ? 300 : 30));
        std::vector<std::string> sources;
        for (int i = 0; i < entries; ++i) {
            std::string source = r.Text(3).substr(0, 255), target = r.Text(3).substr(0, 255);
            if (source.empty()) source = "A";
            if (target.empty()) target = "B";
            ASSERT_NE(0, d->CreateData(source.c_str(), 1, 1, 0, target.c_str()));
            sources.push_back(source);
        }
        // Long enough for whole blocks, the padded tail and the cut ends,
        // with the starts of patterns from every bucket of the filter.
        std::string text;
        for (int n = static_cast<int>(r.Below(40)); n > 0; --n)
            text += r.Below(2) ? r.Text(3) : sources[r.Below(static_cast<uint32_t>(entries))];
        const uint32_t flags = r.Below(4);
        for (size_t cut = 0; cut <= text.size(); ++cut) {
            const std::string input = text.substr(0, cut);
            const uint32_t limit =
                r.Below(3) == 0 ? 1 + r.Below(static_cast<uint32_t>(2 * cut + 4)) : 4 * 260;
            std::vector<char> want(limit + 1, '\x55'), got(limit + 1, '\x55');
            const int wantResult =
                d->ConvertWithPlainScan(input.c_str(), want.data(), limit, 1, 1, flags);
            for (ScanPath path : paths) {
                ASSERT_TRUE(ChooseScanPath(path));
                std::fill(got.begin(), got.end(), '\x55');
                ASSERT_EQ(wantResult, d->Convert(input.c_str(), got.data(), limit, 1, 1, flags))
                    << ScanPathName(path) << ", cut " << cut << ", limit " << limit;
                ASSERT_EQ(want, got)
                    << ScanPathName(path) << ", cut " << cut << ", limit " << limit;
            }
        }
    }
}

// Every path the processor has is taken by default or can be chosen; the
// widest vector path is the default, and stepping where there is none (the
// filter in plain C++ is slower than stepping).
TEST_F(ScanPathTest, TheFastestSupportedPathIsTheDefault) {
    EXPECT_TRUE(ScanPathSupported(ScanPath::kPortable));
    const ScanPath widest = SupportedPaths().back();
    EXPECT_EQ(widest == ScanPath::kPortable ? ScanPath::kStepping : widest, original);
    if (!ScanPathSupported(ScanPath::kAvx2)) {
        EXPECT_FALSE(ChooseScanPath(ScanPath::kAvx2));
    }
}

}  // namespace
