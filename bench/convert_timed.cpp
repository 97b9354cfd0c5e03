// A self-timed conversion benchmark for builds without Google Benchmark (the
// Windows build, run under Wine): the matcher against the plain scan on the
// same dictionaries and text, whole and line by line, medians of a few
// repetitions. Given a code page 932 text and a dictionary, it then times
// the engine on that text on every scan path the processor has. With
// --quick only the smallest dictionary runs once, as a smoke test. Exits
// with 1 if any two give different text.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "prefilter.h"

namespace {

typedef std::chrono::steady_clock Clock;

struct Engine {
    Dictionary* dictionary;
    bool plain;
    uint8_t level = bench::kLevel;
    uint8_t types = bench::kTypes;
    int operator()(const char* input, char* output, uint32_t limit) const {
        return plain ? dictionary->ConvertWithPlainScan(input, output, limit, level, types, 0)
                     : dictionary->Convert(input, output, limit, level, types, 0);
    }
};

// The load average where there is one to read (under Wine, through Z:).
std::string Load() {
    char text[64] = "";
    for (const char* path : {"/proc/loadavg", "Z:\\proc\\loadavg"}) {
        FILE* f = fopen(path, "r");
        if (!f) continue;
        if (!fgets(text, sizeof text, f)) text[0] = '\0';
        fclose(f);
        break;
    }
    std::string load(text);
    return load.empty() ? "?" : load.substr(0, load.find(' ', load.find(' ') + 1));
}

// Converts the text once, whole or line by line; the output goes to `output`
// when it is given.
void Pass(const Engine& engine, const std::string& whole, const std::vector<std::string>& lines,
          bool byLine, std::vector<char>& buffer, std::string* output) {
    if (output) output->clear();
    if (!byLine) {
        engine(whole.c_str(), buffer.data(), static_cast<uint32_t>(buffer.size() - 1));
        if (output) output->assign(buffer.data());
        return;
    }
    for (const std::string& line : lines) {
        engine(line.c_str(), buffer.data(), bench::kLineLimit);
        if (output) *output += buffer.data();
    }
}

// Median seconds of one pass over the text; `output` receives its result,
// from a pass outside the timing.
double Time(const Engine& engine, const std::string& whole, const std::vector<std::string>& lines,
            bool byLine, int repetitions, std::string* output) {
    std::vector<char> buffer(std::max<size_t>(bench::kWholeLimit, 4 * whole.size() + 4) + 1);
    Pass(engine, whole, lines, byLine, buffer, output);
    std::vector<double> seconds;
    for (int r = 0; r < repetitions; ++r) {
        // Enough passes to take a measurable time.
        int passes = 0;
        Clock::time_point start = Clock::now();
        double elapsed = 0;
        do {
            Pass(engine, whole, lines, byLine, buffer, nullptr);
            ++passes;
            elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        } while (elapsed < 0.2);
        seconds.push_back(elapsed / passes);
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}

// The sample dictionary (level 3, types 1 to 4) over a large text, whole and
// line by line, on every path; each output against the stepping path's.
bool MeasureText(const char* textPath, const char* dictionaryPath) {
    std::string whole;
    if (FILE* f = fopen(textPath, "rb")) {
        char block[65536];
        size_t got;
        while ((got = fread(block, 1, sizeof block, f)) > 0) whole.append(block, got);
        fclose(f);
    }
    std::unique_ptr<Dictionary> dictionary(new Dictionary);
    bench::Check(!whole.empty() && dictionary->OpenDic(dictionaryPath) == 1, "text and dictionary");
    std::vector<std::string> lines;
    for (size_t start = 0; start < whole.size();) {
        size_t end = whole.find('\n', start);
        if (end == std::string::npos) end = whole.size();
        lines.push_back(whole.substr(start, end - start));
        start = end + 1;
    }
    printf("%zu bytes of code page 932 text, %zu lines, the sample dictionary; load %s\n",
           whole.size(), lines.size(), Load().c_str());
    const Engine engine = {dictionary.get(), false, 3, 0x0F};
    const ScanPath fastest = CurrentScanPath();
    bool same = true;
    std::string expected[2];
    for (ScanPath path :
         {ScanPath::kStepping, ScanPath::kSsse3, ScanPath::kAvx2, ScanPath::kAvx512}) {
        if (!ChooseScanPath(path)) continue;
        for (bool byLine : {false, true}) {
            std::string out;
            const double seconds = Time(engine, whole, lines, byLine, 5, &out);
            if (path == ScanPath::kStepping) expected[byLine] = out;
            const bool equal = out == expected[byLine];
            same = same && equal;
            printf("%-8s %-6s %14.1f MB/s%s (load %s)\n", ScanPathName(path),
                   byLine ? "lines" : "whole", static_cast<double>(whole.size()) / seconds / 1e6,
                   equal ? "" : "  OUTPUTS DIFFER", Load().c_str());
            fflush(stdout);
        }
    }
    ChooseScanPath(fastest);
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && strcmp(argv[1], "--quick") == 0;
    const std::string whole = bench::Text();
    const std::vector<std::string> lines = corpus::SplitLines(whole, bench::kLineBytes);
    const double mb = static_cast<double>(whole.size()) / 1e6;
    printf("%zu-byte text, %zu lines; medians of real time; path %s; load %s\n", whole.size(),
           lines.size(), ScanPathName(CurrentScanPath()), Load().c_str());
    printf("%-8s %-6s %14s %14s %10s\n", "entries", "mode", "matcher MB/s", "plain MB/s", "ratio");
    bool same = true;
    for (int size : bench::kSizes) {
        if (quick && size > 100) break;
        std::unique_ptr<Dictionary> dictionary(bench::NewWordDictionary(size));
        for (bool byLine : {false, true}) {
            std::string fast, plain;
            Engine matcher = {dictionary.get(), false};
            Engine scan = {dictionary.get(), true};
            double tm = Time(matcher, whole, lines, byLine, quick ? 1 : 5, &fast);
            double tp = Time(scan, whole, lines, byLine, quick ? 1 : (size > 1000 ? 3 : 5), &plain);
            bool equal = fast == plain;
            same = same && equal;
            printf("%-8d %-6s %14.1f %14.3f %10.0f%s\n", size, byLine ? "lines" : "whole", mb / tm,
                   mb / tp, tp / tm, equal ? "" : "  OUTPUTS DIFFER");
            fflush(stdout);
        }
    }
    if (!quick && argc == 3) same = MeasureText(argv[1], argv[2]) && same;
    return same ? 0 : 1;
}
