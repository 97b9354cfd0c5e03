// The peer the benchmarks measure the engine against: a converter with the
// engine's rule (at each position the first pattern in priority order that
// starts there wins, the text between is copied) on Hyperscan's literal
// matching. Hyperscan reports every occurrence of every pattern; the lowest
// pattern number is kept per start, and one walk over the starts writes the
// result. In code page 932 text a start counts only at a character
// boundary, found as the engine finds it.
#ifndef ZEV_BENCH_HYPERSCAN_CONVERTER_H
#define ZEV_BENCH_HYPERSCAN_CONVERTER_H

#include <stdint.h>

#include <string>
#include <vector>

struct hs_database;
struct hs_scratch;

namespace bench {

class HyperscanConverter {
public:
    HyperscanConverter() = default;
    HyperscanConverter(const HyperscanConverter&) = delete;
    HyperscanConverter& operator=(const HyperscanConverter&) = delete;
    ~HyperscanConverter();

    // Patterns (none empty) and their replacements in priority order;
    // `cp932`: the texts are code page 932, else UTF-8. False with `error`
    // when Hyperscan refuses them.
    bool Build(const std::vector<std::string>& patterns,
               const std::vector<std::string>& replacements, bool cp932, std::string* error);
    // Appends the conversion of `text` to `out`.
    void Convert(const std::string& text, std::string* out);

private:
    static int OnMatch(unsigned int id, unsigned long long from, unsigned long long to,
                       unsigned int flags, void* context);
    void SortStarts();

    hs_database* database_ = nullptr;
    hs_scratch* scratch_ = nullptr;
    bool cp932_ = false;
    bool lead_[256] = {false};
    std::vector<std::string> patterns_, replacements_;
    std::vector<uint16_t> best_;    // lowest pattern number per start, kNone elsewhere
    std::vector<uint32_t> starts_;  // where best_ is set, in the order reported
};

}  // namespace bench

#endif
