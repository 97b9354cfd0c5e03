// The engine against its peer on the work the converter is used for: the
// sample dictionary over a large real Japanese text (the Japanese manual
// pages of Debian's manpages-ja, bench/make_prose.sh), and 16384 generated
// entries over 6.5 MB of generated text that never repeats, each whole and
// line by line. The peer is a Hyperscan converter with the same rule, on
// the same text in code page 932 and in UTF-8. Every output is checked
// equal to the engine's; figures are medians, each printed with the load
// average of the machine at that moment. Then the engine's other paths on
// the prose, what a call costs with nothing to replace, and the size of the
// matchers against the bytes of their patterns.
#include <iconv.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "corpus.h"
#include "dictionary.h"
#include "prefilter.h"
#ifdef ZEV_HAVE_HYPERSCAN
#include "hyperscan_converter.h"
#endif

namespace {

std::string LoadAverage() {
    char text[64] = "?";
    if (FILE* f = fopen("/proc/loadavg", "r")) {
        if (!fgets(text, sizeof text, f)) text[0] = '\0';
        fclose(f);
    }
    std::string load(text);
    return load.substr(0, load.find(' ', load.find(' ') + 1));  // 1 and 5 minutes
}

bool ReadFile(const char* path, std::string* bytes) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0) bytes->append(block, got);
    fclose(f);
    return true;
}

// The text in another encoding; characters that it cannot hold are left
// out.
std::string Transcode(const std::string& text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    bench::Check(cd != reinterpret_cast<iconv_t>(-1), "iconv_open");
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size(), outLeft = out.size();
    char* o = &out[0];
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) {
        // One byte at a time past what cannot be converted, to the next
        // character's start.
        do {
            ++in;
            --inLeft;
        } while (inLeft > 0 && (static_cast<uint8_t>(*in) & 0xC0) == 0x80);
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Median seconds of one call of `pass`, over five timings of enough calls
// to take a tenth of a second.
double Median(const std::function<void()>& pass) {
    pass();
    std::vector<double> seconds;
    for (int r = 0; r < 5; ++r) {
        int passes = 0;
        const auto start = std::chrono::steady_clock::now();
        double elapsed = 0;
        do {
            pass();
            ++passes;
            elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        } while (elapsed < 0.1);
        seconds.push_back(elapsed / passes);
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

// A dictionary, the selection converted with, and its patterns in priority
// order (for the peer).
struct Work {
    std::unique_ptr<Dictionary> dictionary;
    uint8_t level, types;
    std::vector<std::string> patterns, replacements;

    void Select() {
        std::vector<uint16_t> slots(ZEV_MAX_DATA);
        const int count = dictionary->SelectedSlots(level, types, false, slots.data());
        for (int i = 0; i < count; ++i) {
            char source[ZEV_TEXT_BUFFER], target[ZEV_TEXT_BUFFER];
            uint8_t l, t, c;
            dictionary->GetData(static_cast<uint16_t>(slots[i] + 1), source, &l, &t, &c, target);
            patterns.push_back(source);
            replacements.push_back(target);
        }
    }
};

// The engine on a text whole or line by line (one call each, with the
// converter's limit); the lines' results joined with line ends.
struct Engine {
    const Work& work;
    std::vector<char> buffer;

    std::string Whole(const std::string& text) {
        const uint32_t limit = static_cast<uint32_t>(4 * text.size() + 4);
        buffer.resize(limit + 1);
        work.dictionary->Convert(text.c_str(), buffer.data(), limit, work.level, work.types, 0);
        return std::string(buffer.data());
    }
    size_t Lines(const std::vector<std::string>& lines, std::string* joined) {
        buffer.resize(bench::kLineLimit + 1);
        size_t produced = 0;
        for (const std::string& line : lines) {
            work.dictionary->Convert(line.c_str(), buffer.data(), bench::kLineLimit, work.level,
                                     work.types, 0);
            const size_t length = strlen(buffer.data());
            produced += length;
            if (joined) joined->append(buffer.data(), length).push_back('\n');
        }
        return produced;
    }
};

struct Texts {
    std::string whole;
    std::vector<std::string> lines;
};

// The matcher of a selection, built on its own, against the bytes of the
// patterns it indexes: trie, filters and prefilter tables.
void PrintMatcherSize(const char* name, const Work& work) {
    std::vector<DataRecord> records(work.patterns.size());
    std::vector<const DataRecord*> table;
    std::vector<uint16_t> slots;
    for (size_t i = 0; i < records.size(); ++i) {
        CopyText(records[i].source, work.patterns[i].c_str());
        CopyText(records[i].target, work.replacements[i].c_str());
        table.push_back(&records[i]);
        slots.push_back(static_cast<uint16_t>(i));
    }
    Matcher matcher;
    bench::Check(matcher.Build(table.data(), slots.data(), static_cast<int>(slots.size()), false),
                 "build the matcher");
    printf(
        "Matcher for %s: %zu bytes for %zu bytes of distinct patterns, %.2f per pattern byte "
        "(at most 4)\n",
        name, matcher.MemoryBytes(), matcher.PatternBytes(),
        static_cast<double>(matcher.MemoryBytes()) / static_cast<double>(matcher.PatternBytes()));
    matcher.Release();
}

// What a call costs when nothing is replaced: the prose's lines with a
// dictionary whose one pattern never occurs.
void PrintCallFloor(const Texts& prose) {
    Work none{std::unique_ptr<Dictionary>(new Dictionary), 1, 1, {}, {}};
    bench::Check(none.dictionary->CreateDic("a", "b", 1, 1) == 1 &&
                     none.dictionary->CreateData("\x01\x02\x03\x04", 1, 1, 0, "x") != 0,
                 "a dictionary that never matches");
    Engine engine{none, {}};
    const double lines = Median([&] { engine.Lines(prose.lines, nullptr); });
    const double whole = Median([&] { engine.Whole(prose.whole); });
    printf("Nothing to replace: %.1f MB/s whole, %.1f MB/s line by line, %.0f ns a call (%s)\n",
           prose.whole.size() / whole / 1e6, prose.whole.size() / lines / 1e6,
           lines / static_cast<double>(prose.lines.size()) * 1e9, LoadAverage().c_str());
}

void PrintRow(const char* workload, size_t bytes, double engine, const char* peer, size_t peerBytes,
              double peerSeconds, bool same) {
    printf("%-26s %9.1f  %-22s %9.1f  %6.2f  %-4s %s\n", workload, bytes / engine / 1e6, peer,
           peerBytes / peerSeconds / 1e6, peerSeconds / engine, same ? "yes" : "NO",
           LoadAverage().c_str());
    fflush(stdout);
}

// One workload: the engine (and its character-by-character path) and the
// peer in both encodings, whole and by line. False if any output differs.
bool Measure(const char* name, const Work& work, const Texts& cp932, bool prose) {
    bool allSame = true;
    Engine engine{work, {}};
    const std::string expected = engine.Whole(cp932.whole);
    std::string expectedLines;
    engine.Lines(cp932.lines, &expectedLines);
    const double whole = Median([&] { engine.Whole(cp932.whole); });
    const double lines = Median([&] { engine.Lines(cp932.lines, nullptr); });
    const size_t bytes = cp932.whole.size();
    // On the prose, the same engine on the other paths: character by
    // character, and AVX2 where the fastest is AVX-512. (Above 4096
    // patterns every path steps from character to character.)
    const ScanPath fastest = CurrentScanPath();
    for (ScanPath path : {ScanPath::kStepping, ScanPath::kAvx2}) {
        if (!prose || path == fastest ||
            (path == ScanPath::kAvx2 && fastest != ScanPath::kAvx512) || !ChooseScanPath(path))
            continue;
        const double other = Median([&] { engine.Whole(cp932.whole); });
        const bool same = engine.Whole(cp932.whole) == expected;
        const std::string peer = std::string("engine, ") + ScanPathName(path);
        PrintRow((std::string(name) + ", whole").c_str(), bytes, whole, peer.c_str(), bytes, other,
                 same);
        if (path == ScanPath::kAvx2) {
            std::string joined;
            engine.Lines(cp932.lines, &joined);
            const double otherLines = Median([&] { engine.Lines(cp932.lines, nullptr); });
            PrintRow((std::string(name) + ", lines").c_str(), bytes, lines, peer.c_str(), bytes,
                     otherLines, joined == expectedLines);
            allSame = allSame && joined == expectedLines;
        }
        allSame = allSame && same;
    }
    ChooseScanPath(fastest);
#ifdef ZEV_HAVE_HYPERSCAN
    for (bool utf8 : {false, true}) {
        if (utf8 && !prose) continue;
        auto code = [utf8](const std::string& s) {
            return utf8 ? Transcode(s, "CP932", "UTF-8") : s;
        };
        std::vector<std::string> patterns, replacements;
        for (size_t i = 0; i < work.patterns.size(); ++i) {
            patterns.push_back(code(work.patterns[i]));
            replacements.push_back(code(work.replacements[i]));
        }
        bench::HyperscanConverter peer;
        std::string error;
        bench::Check(peer.Build(patterns, replacements, !utf8, &error), error.c_str());
        const std::string text = code(cp932.whole);
        std::vector<std::string> peerLines;
        for (const std::string& line : cp932.lines) peerLines.push_back(code(line));
        std::string out;
        peer.Convert(text, &out);
        const bool same = out == code(expected);
        out.clear();
        for (const std::string& line : peerLines) {
            peer.Convert(line, &out);
            out.push_back('\n');
        }
        const bool sameLines = out == code(expectedLines);
        const double peerWhole = Median([&] {
            out.clear();
            peer.Convert(text, &out);
        });
        const double peerByLine = Median([&] {
            out.clear();
            for (const std::string& line : peerLines) peer.Convert(line, &out);
        });
        const char* peerName = utf8 ? "hyperscan, utf-8" : "hyperscan, cp932";
        PrintRow((std::string(name) + ", whole").c_str(), bytes, whole, peerName, text.size(),
                 peerWhole, same);
        PrintRow((std::string(name) + ", lines").c_str(), bytes, lines, peerName, text.size(),
                 peerByLine, sameLines);
        allSame = allSame && same && sameLines;
    }
#else
    (void)prose;
    PrintRow((std::string(name) + ", lines").c_str(), bytes, lines, "engine, whole", bytes, whole,
             true);
#endif
    return allSame;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: zev_prose_bench PROSE.txt SAMPLE.zev\n");
        return 2;
    }
    std::string utf8;
    bench::Check(ReadFile(argv[1], &utf8), "read the prose text");
    Texts prose;
    prose.whole = Transcode(utf8, "UTF-8", "CP932");
    prose.lines = Lines(prose.whole);
    Work sample{std::unique_ptr<Dictionary>(new Dictionary), 3, 0x0F, {}, {}};
    bench::Check(sample.dictionary->OpenDic(argv[2]) == 1, "open the sample dictionary");
    sample.Select();

    Work words{std::unique_ptr<Dictionary>(bench::NewWordDictionary(16384)),
               bench::kLevel,
               bench::kTypes,
               {},
               {}};
    words.Select();
    Texts generated;
    generated.whole = corpus::MakeText(6500000, 19);
    generated.lines = corpus::SplitLines(generated.whole, bench::kLineBytes);

    printf("Engine path: %s. Prose: %zu bytes in code page 932, %zu lines, %zu patterns.\n",
           ScanPathName(CurrentScanPath()), prose.whole.size(), prose.lines.size(),
           sample.patterns.size());
    printf("Generated: %zu bytes, %zu lines of at most %zu bytes, %zu patterns.\n",
           generated.whole.size(), generated.lines.size(), bench::kLineBytes,
           words.patterns.size());
#ifndef ZEV_HAVE_HYPERSCAN
    printf(
        "Hyperscan is not available in this build (Debian libhyperscan-dev, x86-64 only): "
        "the engine's figures only.\n");
#endif
    printf("Medians of 5 timings; ratio = peer time / engine time for the same text.\n");
    printf("%-26s %9s  %-22s %9s  %6s  %-4s %s\n", "workload", "engine", "peer", "peer MB/s",
           "ratio", "same", "load 1m 5m");
    bool same = Measure("sample dictionary, prose", sample, prose, true);
    same = Measure("16384 entries, generated", words, generated, false) && same;
    PrintCallFloor(prose);
    PrintMatcherSize("the sample dictionary", sample);
    PrintMatcherSize("16384 entries", words);
    return same ? 0 : 1;
}
