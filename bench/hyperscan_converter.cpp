#include "hyperscan_converter.h"

#include <hs/hs.h>

#include "platform.h"
#include "prefilter.h"

namespace bench {

namespace {
const uint16_t kNone = 0xFFFF;
}

HyperscanConverter::~HyperscanConverter() {
    hs_free_scratch(scratch_);
    hs_free_database(database_);
}

bool HyperscanConverter::Build(const std::vector<std::string>& patterns,
                               const std::vector<std::string>& replacements, bool cp932,
                               std::string* error) {
    patterns_ = patterns;
    replacements_ = replacements;
    cp932_ = cp932;
    for (int byte = 0; byte < 256; ++byte) lead_[byte] = platform::IsLeadByte(byte);
    std::vector<const char*> expressions;
    std::vector<size_t> lengths;
    std::vector<unsigned int> flags(patterns.size(), 0), ids;
    for (size_t i = 0; i < patterns.size(); ++i) {
        expressions.push_back(patterns[i].data());
        lengths.push_back(patterns[i].size());
        ids.push_back(static_cast<unsigned int>(i));
    }
    hs_compile_error_t* failure = nullptr;
    if (hs_compile_lit_multi(expressions.data(), flags.data(), ids.data(), lengths.data(),
                             static_cast<unsigned int>(patterns.size()), HS_MODE_BLOCK, nullptr,
                             &database_, &failure) != HS_SUCCESS) {
        *error = failure ? failure->message : "hs_compile_lit_multi failed";
        hs_free_compile_error(failure);
        return false;
    }
    if (hs_alloc_scratch(database_, &scratch_) != HS_SUCCESS) {
        *error = "hs_alloc_scratch failed";
        return false;
    }
    return true;
}

int HyperscanConverter::OnMatch(unsigned int id, unsigned long long, unsigned long long to,
                                unsigned int, void* context) {
    HyperscanConverter& c = *static_cast<HyperscanConverter*>(context);
    const uint32_t start = static_cast<uint32_t>(to - c.patterns_[id].size());
    uint16_t& best = c.best_[start];
    if (best == kNone) c.starts_.push_back(start);
    if (id < best) best = static_cast<uint16_t>(id);
    return 0;
}

// Occurrences come in the order of their ends, so a start is out of order
// only by the few that end within a pattern's length: insertion sorts them
// in about one pass.
void HyperscanConverter::SortStarts() {
    for (size_t i = 1; i < starts_.size(); ++i) {
        const uint32_t start = starts_[i];
        size_t j = i;
        for (; j > 0 && starts_[j - 1] > start; --j) starts_[j] = starts_[j - 1];
        starts_[j] = start;
    }
}

void HyperscanConverter::Convert(const std::string& text, std::string* out) {
    if (best_.size() < text.size() + 1) best_.assign(text.size() + 1, kNone);
    starts_.clear();
    hs_scan(database_, text.data(), static_cast<unsigned int>(text.size()), 0, scratch_, OnMatch,
            this);
    SortStarts();
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
    size_t p = 0, known = 0;
    for (uint32_t start : starts_) {
        const uint16_t id = best_[start];
        best_[start] = kNone;
        if (start < p) continue;
        if (cp932_) {
            if (start < known) continue;
            if (!IsCharacterBoundary(lead_, bytes, known, start)) {
                known = start + 1;
                continue;
            }
        }
        out->append(text, p, start - p);
        out->append(replacements_[id]);
        p = known = start + patterns_[id].size();
    }
    out->append(text, p, std::string::npos);
}

}  // namespace bench
