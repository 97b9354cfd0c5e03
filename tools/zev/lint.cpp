#include "lint.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <set>

#include "cp932.h"
#include "pattern_trie.h"

namespace zevtool {

LintSeverity SeverityOf(LintKind kind) {
    switch (kind) {
        case LintKind::kUnreachable:
        case LintKind::kShadowed:
        case LintKind::kDuplicate:
        case LintKind::kWithoutEffect:
            return LintSeverity::kError;
        case LintKind::kOneCharacter:
        case LintKind::kCommonPart:
        case LintKind::kLevelZero:
        case LintKind::kLevelBeyond:
            return LintSeverity::kWarning;
        default:
            return LintSeverity::kNote;
    }
}

size_t LintReport::Count(LintSeverity severity) const {
    size_t count = 0;
    for (const std::vector<LintFinding>& scope : findings)
        for (const LintFinding& finding : scope) count += SeverityOf(finding.kind) == severity;
    return count;
}

namespace {

// Bit S is set when the entry passes the type test with type mask S chosen.
using Selections = std::bitset<256>;

// The type test of the library's conversion; `known` holds the bits of the
// dictionary's first min(type count, 8) types.
bool TypeTestPasses(uint8_t entryTypes, uint8_t condition, uint8_t chosen, uint8_t known) {
    const bool shares = (entryTypes & chosen) != 0;
    const bool hasKnownType = (entryTypes & known) != 0;
    if (condition == 1) return known == 0 || !hasKnownType || shares;
    return known != 0 && hasKnownType && shares;
}

Selections TypeSelections(const EntryModel& entry, uint8_t known) {
    Selections passes;
    for (unsigned mask = 1; mask <= 255; ++mask)
        if (TypeTestPasses(entry.typeMask, entry.condition, static_cast<uint8_t>(mask), known))
            passes.set(mask);
    return passes;
}

// The lowest conversion level at which an entry applies (levels start at 1,
// so level 0 applies where level 1 does).
unsigned LowestLevel(const EntryModel& entry) { return entry.level ? entry.level : 1; }

bool IsIdentity(const EntryModel& entry) { return entry.source == entry.target; }

// Where the characters of `text` start, as the conversion steps over them.
std::vector<size_t> CharacterStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t at = 0; at < text.size(); at += Cp932CharLength(text, at)) starts.push_back(at);
    return starts;
}

// A text that ends in a lead byte without its second byte: where it matches,
// the conversion would otherwise have stepped over the byte after it too.
bool EndsInHalfCharacter(const std::string& text) {
    const std::vector<size_t> starts = CharacterStarts(text);
    return !starts.empty() && IsLeadByte(static_cast<uint8_t>(text.back())) &&
           starts.back() == text.size() - 1;
}

size_t CharacterCount(const std::string& text) { return CharacterStarts(text).size(); }

// The findings of one direction.
class DirectionLinter {
public:
    DirectionLinter(const DictionaryModel& model, const std::vector<Selections>& applies,
                    bool backward);

    // Adds the findings to `out`. `applies[j]` is set for the entries that
    // win somewhere, `guards[j]` for the entries whose source equals their
    // target and that keep another entry from matching.
    void Run(std::vector<LintFinding>* out, std::vector<bool>* applies, std::vector<bool>* guards);

private:
    static std::vector<std::string> Patterns(const DictionaryModel& model, bool backward);
    std::vector<size_t> EarlierPrefixes(size_t j) const;
    std::vector<size_t> Cover(const std::vector<size_t>& candidates,
                              const Selections& target) const;
    Selections Union(const std::vector<size_t>& entries, unsigned level) const;
    bool NeverApplies(size_t j, const std::vector<size_t>& earlier, LintFinding* finding) const;
    bool Ambiguous(size_t j, const std::vector<size_t>& earlier, LintFinding* finding) const;
    std::vector<size_t> Guarded(size_t j, const std::vector<size_t>& earlier) const;
    void CountContainers();
    void Risky(size_t j, std::vector<LintFinding>* out) const;

    const DictionaryModel& model_;
    const std::vector<Selections>& typesApply_;
    const bool backward_;
    const std::vector<std::string> patterns_;
    const PatternTrie trie_;
    std::vector<std::vector<size_t>> containers_;  // by pattern: entries whose patterns hold it
};

DirectionLinter::DirectionLinter(const DictionaryModel& model,
                                 const std::vector<Selections>& applies, bool backward)
    : model_(model),
      typesApply_(applies),
      backward_(backward),
      patterns_(Patterns(model, backward)),
      trie_(patterns_) {}

std::vector<std::string> DirectionLinter::Patterns(const DictionaryModel& model, bool backward) {
    std::vector<std::string> patterns;
    for (const EntryModel& entry : model.entries)
        patterns.push_back(backward ? entry.target : entry.source);
    return patterns;
}

// The entries before j whose patterns begin j's (or equal it) and that
// pass the type test somewhere, in table order.
std::vector<size_t> DirectionLinter::EarlierPrefixes(size_t j) const {
    std::vector<size_t> found;
    for (int pattern : trie_.PrefixesOf(patterns_[j], 0)) {
        for (size_t i : trie_.EntriesOf(pattern)) {
            if (i >= j) break;
            if (typesApply_[i].any()) found.push_back(i);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

Selections DirectionLinter::Union(const std::vector<size_t>& entries, unsigned level) const {
    Selections all;
    for (size_t i : entries)
        if (LowestLevel(model_.entries[i]) <= level) all |= typesApply_[i];
    return all;
}

// Entries of `candidates` that together pass the type test wherever `target`
// does: the first that does it alone, else a few in table order, none of
// them needless. Empty when all of them together do not.
std::vector<size_t> DirectionLinter::Cover(const std::vector<size_t>& candidates,
                                           const Selections& target) const {
    if ((target & ~Union(candidates, 255)).any()) return {};
    for (size_t i : candidates)
        if ((target & ~typesApply_[i]).none()) return {i};
    std::vector<size_t> chosen;
    Selections got;
    for (size_t i : candidates) {
        if ((target & typesApply_[i] & ~got).none()) continue;
        chosen.push_back(i);
        got |= typesApply_[i];
    }
    for (size_t k = 0; k < chosen.size();) {
        std::vector<size_t> rest = chosen;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
        if ((target & ~Union(rest, 255)).none())
            chosen = rest;
        else
            ++k;
    }
    return chosen;
}

// Whether earlier entries win wherever j applies. `earlier` is
// EarlierPrefixes(j).
bool DirectionLinter::NeverApplies(size_t j, const std::vector<size_t>& earlier,
                                   LintFinding* finding) const {
    const EntryModel& entry = model_.entries[j];
    std::vector<size_t> atLevel, same, sameEntry;
    for (size_t i : earlier) {
        if (LowestLevel(model_.entries[i]) > LowestLevel(entry)) continue;
        atLevel.push_back(i);
        if (trie_.PatternOf(i) != trie_.PatternOf(j)) continue;
        same.push_back(i);
        // Backward, an equal target with another source is the ambiguity of
        // a many-to-one dictionary, not a duplicate.
        if (!backward_ || model_.entries[i].source == entry.source) sameEntry.push_back(i);
    }
    finding->entry = j;
    if (!(finding->coveredBy = Cover(sameEntry, typesApply_[j])).empty()) {
        finding->kind = LintKind::kDuplicate;
    } else if (backward_ && !(finding->coveredBy = Cover(same, typesApply_[j])).empty()) {
        finding->kind = LintKind::kAmbiguous;
        finding->everywhere = true;
    } else if (!(finding->coveredBy = Cover(atLevel, typesApply_[j])).empty()) {
        finding->kind = LintKind::kShadowed;
    }
    return !finding->coveredBy.empty();
}

// Backward: earlier entries with the same target and another source that
// apply together with j in some selection, where they win.
bool DirectionLinter::Ambiguous(size_t j, const std::vector<size_t>& earlier,
                                LintFinding* finding) const {
    finding->kind = LintKind::kAmbiguous;
    finding->entry = j;
    for (size_t i : earlier) {
        if (trie_.PatternOf(i) == trie_.PatternOf(j) &&
            model_.entries[i].source != model_.entries[j].source &&
            (typesApply_[i] & typesApply_[j]).any())
            finding->coveredBy.push_back(i);
    }
    return !finding->coveredBy.empty();
}

// For an entry whose source equals its target: the entries it keeps from
// matching inside the text it takes (at most kGuardedListed of them, those
// whose patterns end inside the text first). Taking the text changes the
// result only when, without this entry, some entry would match at a
// character inside it: a later one at its first character, any other at a
// later character, whose pattern agrees with the text there (a beginning of
// the rest of it, or longer and starting with it), in a selection where both
// apply and this one wins. An entry that itself changes nothing and ends
// inside the text does not count.
std::vector<size_t> DirectionLinter::Guarded(size_t j, const std::vector<size_t>& earlier) const {
    const std::string& pattern = patterns_[j];
    const unsigned level = LowestLevel(model_.entries[j]);
    std::map<unsigned, Selections> wins;  // by level: where j applies and wins
    std::vector<size_t> guarded;
    std::set<size_t> seen;
    // Adds the entries of pattern `other` found at `at`; false when the list is full.
    auto consider = [&](int other, size_t at) {
        const bool endsBeyond = at + trie_.LengthOf(other) > pattern.size();
        for (size_t k : trie_.EntriesOf(other)) {
            if (k == j || (at == 0 && k < j) || typesApply_[k].none() || seen.count(k)) continue;
            if (IsIdentity(model_.entries[k]) && !endsBeyond && !EndsInHalfCharacter(patterns_[k]))
                continue;  // takes part of the text as it is and ends inside it
            const unsigned both = std::max(level, LowestLevel(model_.entries[k]));
            auto cached = wins.find(both);
            if (cached == wins.end())
                cached = wins.emplace(both, typesApply_[j] & ~Union(earlier, both)).first;
            if ((cached->second & typesApply_[k]).none()) continue;
            seen.insert(k);
            guarded.push_back(k);
            if (guarded.size() == kGuardedListed) return false;
        }
        return true;
    };
    const std::vector<size_t> starts = CharacterStarts(pattern);
    bool room = true;
    for (size_t at = 0; room && at < starts.size(); ++at)
        for (int other : trie_.PrefixesOf(pattern, starts[at]))
            if (room) room = consider(other, starts[at]);
    std::sort(guarded.begin(), guarded.end());
    const size_t inside = guarded.size();
    for (size_t at = 0; room && at < starts.size(); ++at)
        trie_.VisitExtensions(pattern, starts[at],
                              [&](int other) { return room = consider(other, starts[at]); });
    std::sort(guarded.begin() + static_cast<std::ptrdiff_t>(inside), guarded.end());
    return guarded;
}

// For every pattern, the entries (one per pattern) whose patterns contain it
// at a later character than their first. (Where a pattern begins a longer
// one, the order of the two decides, and the shadowing test looks at it.)
void DirectionLinter::CountContainers() {
    containers_.assign(trie_.PatternCount(), {});
    for (size_t pattern = 0; pattern < trie_.PatternCount(); ++pattern) {
        const size_t first = trie_.EntriesOf(static_cast<int>(pattern))[0];
        const std::vector<size_t> starts = CharacterStarts(patterns_[first]);
        for (size_t k = 1; k < starts.size(); ++k)
            for (int inside : trie_.PrefixesOf(patterns_[first], starts[k]))
                containers_[inside].push_back(first);
    }
    for (std::vector<size_t>& holders : containers_) {
        std::sort(holders.begin(), holders.end());
        holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
    }
}

void DirectionLinter::Risky(size_t j, std::vector<LintFinding>* out) const {
    if (CharacterCount(patterns_[j]) == 1) out->push_back({LintKind::kOneCharacter, j, {}, {}});
    const std::vector<size_t>& holders = containers_[trie_.PatternOf(j)];
    if (holders.size() >= kCommonPartThreshold)
        out->push_back({LintKind::kCommonPart, j, {}, holders});
}

void DirectionLinter::Run(std::vector<LintFinding>* out, std::vector<bool>* applies,
                          std::vector<bool>* guards) {
    CountContainers();
    for (size_t j = 0; j < patterns_.size(); ++j) {
        if (typesApply_[j].none()) continue;  // reported for both directions
        if (patterns_[j].empty()) {
            out->push_back({LintKind::kUnreachable, j, {}, {}});
            continue;
        }
        const std::vector<size_t> earlier = EarlierPrefixes(j);
        LintFinding finding{LintKind::kShadowed, j, {}, {}};
        if (NeverApplies(j, earlier, &finding)) {
            out->push_back(finding);
            continue;
        }
        (*applies)[j] = true;
        finding = LintFinding{LintKind::kAmbiguous, j, {}, {}};
        if (backward_ && Ambiguous(j, earlier, &finding)) out->push_back(finding);
        if (!IsIdentity(model_.entries[j])) {
            Risky(j, out);
            continue;
        }
        const std::vector<size_t> guarded = Guarded(j, earlier);
        if (!guarded.empty() || EndsInHalfCharacter(patterns_[j])) (*guards)[j] = true;
        if (!guarded.empty()) out->push_back({LintKind::kGuard, j, {}, guarded});
    }
}

}  // namespace

LintReport LintDictionary(const DictionaryModel& model) {
    LintReport report;
    const size_t count = model.entries.size();
    report.typesTested = std::min<size_t>(model.typeNames.size(), 8);
    const uint8_t known = static_cast<uint8_t>((1u << report.typesTested) - 1);
    std::vector<Selections> typesApply;
    std::vector<LintFinding>& both = report.findings[kBothDirections];
    for (size_t j = 0; j < count; ++j) {
        const EntryModel& entry = model.entries[j];
        typesApply.push_back(TypeSelections(entry, known));
        if (typesApply[j].none())
            both.push_back({LintKind::kUnreachable, j, {}, {}});
        else if (entry.level == 0)
            both.push_back({LintKind::kLevelZero, j, {}, {}});
        else if (entry.level > model.levelNames.size())
            both.push_back({LintKind::kLevelBeyond, j, {}, {}});
    }
    std::vector<bool> applies(count), guards(count);
    for (LintScope scope : {kForward, kBackward})
        DirectionLinter(model, typesApply, scope == kBackward)
            .Run(&report.findings[scope], &applies, &guards);
    for (size_t j = 0; j < count; ++j)
        if (IsIdentity(model.entries[j]) && applies[j] && !guards[j])
            both.push_back({LintKind::kWithoutEffect, j, {}, {}});
    std::stable_sort(both.begin(), both.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.entry < b.entry; });
    return report;
}

}  // namespace zevtool
