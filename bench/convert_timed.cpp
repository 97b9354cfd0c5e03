// A self-timed conversion benchmark for builds without Google Benchmark (the
// Windows build, run under Wine): the matcher against the plain scan on the
// same dictionaries and text, whole and line by line, medians of a few
// repetitions. With --quick only the smallest dictionary runs once, as a
// smoke test. Exits with 1 if the two engines ever produce different text.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"

namespace {

typedef std::chrono::steady_clock Clock;

struct Engine {
    Dictionary* dictionary;
    bool plain;
    int operator()(const char* input, char* output, uint32_t limit) const {
        return plain ? dictionary->ConvertWithPlainScan(input, output, limit, bench::kLevel,
                                                        bench::kTypes, 0)
                     : dictionary->Convert(input, output, limit, bench::kLevel, bench::kTypes, 0);
    }
};

// Converts the text once, whole or line by line; the output goes to `output`
// when it is given.
void Pass(const Engine& engine, const std::string& whole, const std::vector<std::string>& lines,
          bool byLine, std::vector<char>& buffer, std::string* output) {
    if (output) output->clear();
    if (!byLine) {
        engine(whole.c_str(), buffer.data(), bench::kWholeLimit);
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
    std::vector<char> buffer(bench::kWholeLimit + 1);
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

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && strcmp(argv[1], "--quick") == 0;
    const std::string whole = bench::Text();
    const std::vector<std::string> lines = corpus::SplitLines(whole, bench::kLineBytes);
    const double mb = static_cast<double>(whole.size()) / 1e6;
    printf("%zu-byte text, %zu lines; medians of real time\n", whole.size(), lines.size());
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
    return same ? 0 : 1;
}
