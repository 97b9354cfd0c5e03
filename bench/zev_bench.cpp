// Benchmarks of the dictionary library: conversion with the matcher against
// the plain scan, opening and saving a full dictionary, and the matcher's
// size. After the runs a summary gives the medians, the throughput and the
// matcher's speed-up over the plain scan measured in the same run.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "fileio.h"
#include "platform.h"

namespace {

struct Texts {
    std::string whole = bench::Text();
    std::vector<std::string> lines = corpus::SplitLines(whole, bench::kLineBytes);
};

const Texts& TheTexts() {
    static const Texts texts;
    return texts;
}

Dictionary* WordDictionary(int size) {
    static std::map<int, std::unique_ptr<Dictionary>> dictionaries;
    std::unique_ptr<Dictionary>& d = dictionaries[size];
    if (!d) d.reset(bench::NewWordDictionary(size));
    return d.get();
}

// Output of the last run of each benchmark, to prove both engines agree.
std::map<std::string, std::string>& Outputs() {
    static std::map<std::string, std::string> outputs;
    return outputs;
}

void Convert(benchmark::State& state, int size, bool lines, bool plain) {
    Dictionary* d = WordDictionary(size);
    const Texts& texts = TheTexts();
    std::vector<char> buffer(bench::kWholeLimit + 1);
    auto convert = [d, plain](const char* input, char* output, uint32_t limit) {
        return plain
                   ? d->ConvertWithPlainScan(input, output, limit, bench::kLevel, bench::kTypes, 0)
                   : d->Convert(input, output, limit, bench::kLevel, bench::kTypes, 0);
    };
    std::string output;
    auto once = [&]() {
        if (lines) {
            output.clear();
            for (const std::string& line : texts.lines) {
                convert(line.c_str(), buffer.data(), bench::kLineLimit);
                output += buffer.data();
            }
        } else {
            convert(texts.whole.c_str(), buffer.data(), bench::kWholeLimit);
            output.assign(buffer.data());
        }
    };
    once();  // builds the matcher outside the timing
    for (auto _ : state) {
        if (lines) {
            size_t produced = bench::ConvertLines(texts.lines, buffer, convert);
            benchmark::DoNotOptimize(produced);
        } else {
            convert(texts.whole.c_str(), buffer.data(), bench::kWholeLimit);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * texts.whole.size()));
    Outputs()[std::to_string(size) + (lines ? "/lines" : "/whole") +
              (plain ? "/plain" : "/matcher")] = output;
}

// Copies of a word dictionary's records, and the matcher over all of them in
// slot order: the one a conversion with every entry selected builds.
struct WordMatcher {
    explicit WordMatcher(int size) : records(static_cast<size_t>(size)) {
        std::vector<corpus::Entry> entries = corpus::MakeDictionary(size, 6000u + size);
        for (size_t i = 0; i < entries.size(); ++i) {
            CopyText(records[i].source, entries[i].source.c_str());
            CopyText(records[i].target, entries[i].target.c_str());
            table.push_back(&records[i]);
            slots.push_back(static_cast<uint16_t>(i));
        }
    }
    ~WordMatcher() { matcher.Release(); }
    void Build() {
        bench::Check(
            matcher.Build(table.data(), slots.data(), static_cast<int>(slots.size()), false),
            "matcher");
    }
    std::vector<DataRecord> records;
    std::vector<const DataRecord*> table;
    std::vector<uint16_t> slots;
    Matcher matcher;
};

// The matcher's size against the patterns it indexes.
void MatcherSize(benchmark::State& state, int size) {
    WordMatcher words(size);
    for (auto _ : state) words.Build();
    const Matcher& matcher = words.matcher;
    state.counters["memory_bytes"] = static_cast<double>(matcher.MemoryBytes());
    state.counters["pattern_bytes"] = static_cast<double>(matcher.PatternBytes());
    state.counters["memory_per_pattern_byte"] =
        static_cast<double>(matcher.MemoryBytes()) / static_cast<double>(matcher.PatternBytes());
}

// The two halves of a conversion with the largest dictionary, timed apart
// over the whole text: the trie walks alone, replayed at the positions where
// the scan walks, and the filter alone, asked at every position the scan
// visits. Each bounds what the whole scan can reach.
struct Replay {
    Replay() : words(kLargest) {
        words.Build();
        const Matcher& matcher = words.matcher;
        // The scan's own steps: a replacement skips its pattern, else one character.
        const std::string& text = TheTexts().whole;
        const uint8_t* in = reinterpret_cast<const uint8_t*>(text.c_str());
        for (size_t p = 0; p < text.size();) {
            visited.push_back(static_cast<uint32_t>(p));
            Match match;
            if (matcher.MayStart(in + p, text.size() - p)) {
                walked.push_back(static_cast<uint32_t>(p));
                if (matcher.Find(in + p, &match)) {
                    p += match.patternLength;
                    continue;
                }
            }
            p += platform::IsLeadByte(in[p]) ? 2 : 1;
        }
    }
    static const int kLargest = 16384;
    WordMatcher words;
    std::vector<uint32_t> visited;
    std::vector<uint32_t> walked;
};

const Replay& TheReplay() {
    static const Replay replay;
    return replay;
}

void WalksOnly(benchmark::State& state) {
    const Replay& r = TheReplay();
    const uint8_t* in = reinterpret_cast<const uint8_t*>(TheTexts().whole.c_str());
    const MatcherSearch search = r.words.matcher.Search();
    for (auto _ : state) {
        uint32_t found = 0;
        for (uint32_t p : r.walked) {
            Match match;
            found += search.Find(in + p, &match);
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["walks"] = static_cast<double>(r.walked.size());
}

void FilterOnly(benchmark::State& state) {
    const Replay& r = TheReplay();
    const std::string& text = TheTexts().whole;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(text.c_str());
    const MatcherSearch search = r.words.matcher.Search();
    for (auto _ : state) {
        uint32_t passed = 0;
        for (uint32_t p : r.visited) passed += search.MayStart(in + p, text.size() - p);
        benchmark::DoNotOptimize(passed);
    }
    state.counters["positions"] = static_cast<double>(r.visited.size());
}

struct FullFile {
    FullFile() {
        std::unique_ptr<Dictionary> d(bench::NewFullDictionary());
        bench::Check(d->SaveDic(path.c_str()) == 1, "save the full dictionary");
    }
    ~FullFile() { unlink(path.c_str()); }
    std::string path = "zev_bench_full.zev";
};

const FullFile& TheFullFile() {
    static const FullFile file;
    return file;
}

void OpenFull(benchmark::State& state) {
    const FullFile& file = TheFullFile();
    std::unique_ptr<Dictionary> d(new Dictionary);
    for (auto _ : state) {
        bench::Check(d->OpenDic(file.path.c_str()) == 1, "open");
        state.PauseTiming();
        d->CloseDic();
        state.ResumeTiming();
    }
}

void SaveFull(benchmark::State& state) {
    std::unique_ptr<Dictionary> d(bench::NewFullDictionary());
    const char* path = "zev_bench_saved.zev";
    for (auto _ : state) bench::Check(d->SaveDic(path) == 1, "save");
    unlink(path);
}

// The same bytes written in the save's blocks to a new file that replaces the old
// one, without committing them to the disk: what the save costs apart from
// that commit.
void WriteWithoutFlush(benchmark::State& state) {
    const std::vector<char> block(kFileWriteBlockSize, 'x');
    const uint32_t total = 8437762 + 3000;
    for (auto _ : state) {
        platform::File file = platform::CreateNew("zev_bench_raw.tmp");
        bench::Check(file.valid(), "create");
        for (uint32_t done = 0; done < total; done += kFileWriteBlockSize) {
            uint32_t size = total - done < kFileWriteBlockSize ? total - done : kFileWriteBlockSize;
            bench::Check(platform::Write(file, block.data(), size), "write");
        }
        platform::Close(file);
        bench::Check(platform::Replace("zev_bench_raw.tmp", "zev_bench_raw.zev"), "replace");
    }
    unlink("zev_bench_raw.zev");
}

// Keeps the median (or the only) real time per iteration of each benchmark.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            bool only = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !only) continue;
            std::string name = run.run_name.function_name;
            double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            seconds[name] = run.GetAdjustedRealTime() / unit;
            cpuSeconds[name] = run.GetAdjustedCPUTime() / unit;
            for (const auto& counter : run.counters) counters[name][counter.first] = counter.second;
        }
    }
    std::map<std::string, double> seconds;
    std::map<std::string, double> cpuSeconds;
    std::map<std::string, std::map<std::string, double>> counters;
};

// Medians of real time, and of CPU time in brackets: on a shared machine
// the CPU time is the fairer figure for one core.
void PrintSummary(const SummaryReporter& r) {
    const double mb = static_cast<double>(TheTexts().whole.size()) / 1e6;
    printf(
        "\nSummary: medians, real time (CPU time); %zu-byte text, %zu lines of at most %zu bytes\n",
        TheTexts().whole.size(), TheTexts().lines.size(), bench::kLineBytes);
    printf("%-8s %-6s %22s %22s %16s %s\n", "entries", "mode", "matcher MB/s", "plain MB/s",
           "ratio", "same output");
    for (int size : bench::kSizes) {
        for (const char* mode : {"whole", "lines"}) {
            std::string key = std::to_string(size) + "/" + mode;
            std::string m = "convert/" + key + "/matcher", p = "convert/" + key + "/plain";
            if (!r.seconds.count(m) || !r.seconds.count(p)) continue;
            double mr = r.seconds.at(m), mc = r.cpuSeconds.at(m);
            double pr = r.seconds.at(p), pc = r.cpuSeconds.at(p);
            bool same = Outputs()[key + "/matcher"] == Outputs()[key + "/plain"];
            printf("%-8d %-6s %10.1f (%9.1f) %10.3f (%9.3f) %7.0f (%6.0f) %s\n", size, mode,
                   mb / mr, mb / mc, mb / pr, mb / pc, pr / mr, pc / mc, same ? "yes" : "NO");
        }
    }
    for (int size : bench::kSizes) {
        std::string name = "matcher_size/" + std::to_string(size);
        if (!r.counters.count(name) || !r.seconds.count(name)) continue;
        auto counters = r.counters.at(name);
        printf(
            "matcher, %5d entries: %8.0f bytes for %7.0f pattern bytes = %.2f per byte, "
            "built in %.2f ms (%.2f)\n",
            size, counters["memory_bytes"], counters["pattern_bytes"],
            counters["memory_per_pattern_byte"], r.seconds.at(name) * 1e3,
            r.cpuSeconds.at(name) * 1e3);
    }
    for (const char* name : {"walks_only/16384", "filter_only/16384"}) {
        if (!r.seconds.count(name) || !r.counters.count(name)) continue;
        double count = 0;
        for (const auto& counter : r.counters.at(name)) count = counter.second;
        printf("%-18s %8.1f us (%.1f) for %.0f positions: the whole scan cannot pass %.0f MB/s\n",
               name, r.seconds.at(name) * 1e6, r.cpuSeconds.at(name) * 1e6, count,
               mb / r.seconds.at(name));
    }
    for (const char* name : {"open_full", "save_full", "write_8MB_without_fsync"}) {
        if (r.seconds.count(name))
            printf("%-24s %8.2f ms (%.2f)\n", name, r.seconds.at(name) * 1e3,
                   r.cpuSeconds.at(name) * 1e3);
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (int size : bench::kSizes) {
        for (bool lines : {false, true}) {
            for (bool plain : {false, true}) {
                std::string name = "convert/" + std::to_string(size) +
                                   (lines ? "/lines" : "/whole") + (plain ? "/plain" : "/matcher");
                auto* b = benchmark::RegisterBenchmark(
                    name.c_str(), [=](benchmark::State& s) { Convert(s, size, lines, plain); });
                b->Unit(benchmark::kMicrosecond)->UseRealTime();
                // The plain scan over thousands of entries takes seconds per pass.
                if (plain && size > 1000) b->Iterations(1);
            }
        }
    }
    for (int size : bench::kSizes) {
        benchmark::RegisterBenchmark(("matcher_size/" + std::to_string(size)).c_str(),
                                     [=](benchmark::State& s) { MatcherSize(s, size); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    const struct {
        const char* name;
        void (*run)(benchmark::State&);
        benchmark::TimeUnit unit;
    } kSingles[] = {
        {"walks_only/16384", WalksOnly, benchmark::kMicrosecond},
        {"filter_only/16384", FilterOnly, benchmark::kMicrosecond},
        {"open_full", OpenFull, benchmark::kMillisecond},
        {"save_full", SaveFull, benchmark::kMillisecond},
        {"write_8MB_without_fsync", WriteWithoutFlush, benchmark::kMillisecond},
    };
    for (const auto& single : kSingles)
        benchmark::RegisterBenchmark(single.name, single.run)->Unit(single.unit)->UseRealTime();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
