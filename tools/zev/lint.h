// What the order of a dictionary's entries hides: entries that can never
// apply, entries whose source equals their target and that keep nothing from
// matching, and patterns that may change more text than meant.
//
// A conversion is chosen by a level byte L (1 to 255), a type mask S (1 to
// 255) and a direction. An entry applies where its level is at most L and the
// library's type test passes for S; the set of type masks where it passes is
// worked out exactly, as a set of 255 masks. At each place of a text the
// first applying entry whose pattern starts there wins, so entry j never
// applies when, for every selection where it applies, an earlier applying
// entry has a non-empty pattern that begins j's pattern. Since an entry that
// applies at level L applies at every higher level too, it is enough to look
// at L = level of j.
#ifndef ZEV_TOOL_LINT_H
#define ZEV_TOOL_LINT_H

#include <stddef.h>

#include <vector>

#include "dicmodel.h"

namespace zevtool {

// A pattern that occurs inside (after the first character of) at least this
// many other patterns of its direction is reported: it probably also occurs
// inside words it should not change.
constexpr size_t kCommonPartThreshold = 5;

// A guard's finding names at most this many of the entries it guards.
constexpr size_t kGuardedListed = 100;

enum class LintKind {
    // Errors (exit code 1): entries that never apply, or never change anything.
    kUnreachable,    // no selection reaches it: OR without types, empty pattern
    kShadowed,       // earlier entries with shorter patterns always win first
    kDuplicate,      // an earlier entry with the same pattern always wins first
    kWithoutEffect,  // source equals target, and it keeps nothing from matching
    // Warnings.
    kOneCharacter,  // a pattern of one character
    kCommonPart,    // a pattern inside kCommonPartThreshold or more others
    kLevelZero,     // level 0 (only a foreign file has it): applies at every level
    kLevelBeyond,   // a level beyond the dictionary's levels: no program offers it
    // Notes.
    kAmbiguous,  // backward: an earlier entry has the same target and comes first
    kGuard,      // source equals target, and it keeps other entries from matching
};

enum class LintSeverity { kError, kWarning, kNote };
LintSeverity SeverityOf(LintKind kind);

// Where a finding holds: for the entry as a whole, or in one direction
// (forward seeks the sources, backward the targets).
enum LintScope { kBothDirections, kForward, kBackward, kLintScopes };

struct LintFinding {
    LintKind kind;
    size_t entry;  // 0-based table position
    // Shadowed, duplicate, ambiguous: the earlier entries that win first.
    std::vector<size_t> coveredBy;
    // Guard: the entries it keeps from matching (at most kGuardedListed),
    // those whose patterns end inside its text first. Common part: the entries (one per pattern)
    // whose patterns contain it after their first character.
    std::vector<size_t> related;
    // Ambiguous: the earlier entries win wherever this one applies (else in
    // some selections only).
    bool everywhere = false;
};

struct LintReport {
    std::vector<LintFinding> findings[kLintScopes];  // each in table order
    size_t typesTested = 0;  // min(type count, 8): the types the type test sees
    size_t Count(LintSeverity severity) const;
};

LintReport LintDictionary(const DictionaryModel& model);

}  // namespace zevtool

#endif
