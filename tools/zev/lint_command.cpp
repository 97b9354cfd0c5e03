#include "lint_command.h"

#include <stdio.h>

#include "lint.h"
#include "output.h"
#include "textform.h"

namespace zevtool {

namespace {

// A reference list is cut after this many entries in messages (JSON has all).
constexpr size_t kListedEntries = 5;

const char* const kScopeNames[kLintScopes] = {"both", "forward", "backward"};

// By LintKind and LintSeverity, in their order.
const char* const kKindNames[] = {"unreachable",   "shadowed",    "duplicate", "without-effect",
                                  "one-character", "common-part", "level-0",   "level-beyond",
                                  "ambiguous",     "guard"};
const char* const kSeverityNames[] = {"error", "warning", "note"};

const char* KindName(LintKind kind) { return kKindNames[static_cast<int>(kind)]; }
const char* SeverityName(LintSeverity severity) {
    return kSeverityNames[static_cast<int>(severity)];
}

std::string Counted(size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool LoadForLint(const std::string& path, DictionaryModel* model, Cp932& codec) {
    std::string error;
    const bool textForm = path.size() > 4 && path.compare(path.size() - 4, 4, ".txt") == 0;
    if (!textForm) {
        if (LoadDictionary(path, model, &error)) return true;
        return Complain(path, error), false;
    }
    std::string text;
    if (!ReadWholeFile(path, &text, &error)) return Complain(path, "cannot open: " + error), false;
    std::vector<LineError> errors;
    if (ReadTextForm(text, codec, model, &errors)) return true;
    for (const LineError& bad : errors)
        Complain(bad.line ? path + ":" + std::to_string(bad.line) : path, bad.reason);
    return false;
}

// Builds the sentences about one report's findings.
class Wording {
public:
    Wording(const DictionaryModel& model, const LintReport& report, Cp932& codec)
        : model_(model), report_(report), codec_(codec) {}

    std::string Text(const std::string& cp932) const { return EscapeText(cp932, codec_); }
    std::string Message(LintScope scope, const LintFinding& finding) const;

private:
    const std::string& Pattern(LintScope scope, size_t entry) const {
        const EntryModel& e = model_.entries[entry];
        return scope == kBackward ? e.target : e.source;
    }
    std::string Entries(LintScope scope, const std::vector<size_t>& entries) const;
    std::string NeverApplies(LintScope scope, const LintFinding& finding) const;

    const DictionaryModel& model_;
    const LintReport& report_;
    Cp932& codec_;
};

// "entry 12 (ほんと)", "entries 12 (ほ) and 15 (ほん)", with "and N more"
// after kListedEntries.
std::string Wording::Entries(LintScope scope, const std::vector<size_t>& entries) const {
    std::string out = entries.size() == 1 ? "entry " : "entries ";
    const size_t shown = std::min(entries.size(), kListedEntries);
    for (size_t k = 0; k < shown; ++k) {
        if (k > 0) out += k + 1 == entries.size() ? " and " : ", ";
        out += std::to_string(entries[k] + 1) + " (" + Text(Pattern(scope, entries[k])) + ")";
    }
    if (shown < entries.size()) out += " and " + std::to_string(entries.size() - shown) + " more";
    return out;
}

std::string Wording::NeverApplies(LintScope scope, const LintFinding& finding) const {
    const bool one = finding.coveredBy.size() == 1;
    const std::string first = " first wherever this one applies";
    if (finding.kind == LintKind::kDuplicate)
        return "never applies: " + Entries(scope, finding.coveredBy) + (one ? " has" : " have") +
               (scope == kBackward ? " the same target and source" : " the same source") +
               " and come" + (one ? "s" : "") + first;
    return "never applies: " + Entries(scope, finding.coveredBy) + (one ? " comes" : " come") +
           first + (one ? "" : " (no single one of them does)");
}

std::string Wording::Message(LintScope scope, const LintFinding& finding) const {
    const EntryModel& entry = model_.entries[finding.entry];
    switch (finding.kind) {
        case LintKind::kUnreachable:
            if (scope != kBothDirections)
                return std::string("never applies: its ") +
                       (scope == kBackward ? "target" : "source") + " is empty";
            if (report_.typesTested == 0)
                return "never applies: an OR entry needs one of the dictionary's types, and the "
                       "dictionary has none";
            return "never applies: an OR entry needs one of the dictionary's types 1 to " +
                   std::to_string(report_.typesTested) + ", and it has none";
        case LintKind::kShadowed:
        case LintKind::kDuplicate:
            return NeverApplies(scope, finding);
        case LintKind::kWithoutEffect:
            return "its source and target are the same, and no entry could match inside it "
                   "where it applies: it changes nothing";
        case LintKind::kOneCharacter:
            return "a pattern of one character: it is replaced inside every word that holds it";
        case LintKind::kCommonPart:
            return "its pattern occurs inside " + std::to_string(finding.related.size()) +
                   " other patterns (" + Entries(scope, finding.related) +
                   "): it may match inside words it should not change";
        case LintKind::kLevelZero:
            return "it applies at every level, as an entry of level 1 does; no program writes "
                   "level 0";
        case LintKind::kLevelBeyond:
            return "level " + std::to_string(entry.level) + " is beyond the dictionary's " +
                   Counted(model_.levelNames.size(), "level") +
                   ": only a conversion at that level or higher applies it, and no program "
                   "offers one";
        case LintKind::kAmbiguous: {
            const bool one = finding.coveredBy.size() == 1;
            return Entries(kForward, finding.coveredBy) + (one ? " has" : " have") +
                   " the same target and come" + (one ? "s" : "") + " first" +
                   (finding.everywhere
                        ? " wherever this one applies: backward never gives this source"
                        : " where both apply: backward gives their source there");
        }
        case LintKind::kGuard:
            return "keeps " + Entries(scope, finding.related) + " from matching inside it";
    }
    return "";
}

void WriteLines(const std::string& path, const DictionaryModel& model, const LintReport& report,
                const Wording& wording, Output& output) {
    for (int scope = 0; scope < kLintScopes; ++scope) {
        for (const LintFinding& finding : report.findings[scope]) {
            const EntryModel& entry = model.entries[finding.entry];
            std::string line = path + ": ";
            if (scope != kBothDirections) line += std::string(kScopeNames[scope]) + ": ";
            line += "entry " + std::to_string(finding.entry + 1) + " (" +
                    wording.Text(entry.source) + " → " + wording.Text(entry.target) +
                    "): " + SeverityName(SeverityOf(finding.kind)) + ": " + KindName(finding.kind) +
                    ": " + wording.Message(static_cast<LintScope>(scope), finding) + "\n";
            output.Write(line);
        }
    }
    const size_t entries = model.entries.size();
    output.Write(path + ": " + std::to_string(entries) +
                 (entries == 1 ? " entry: " : " entries: ") +
                 Counted(report.Count(LintSeverity::kError), "error") + ", " +
                 Counted(report.Count(LintSeverity::kWarning), "warning") + ", " +
                 Counted(report.Count(LintSeverity::kNote), "note") + "\n");
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonNumbers(const std::vector<size_t>& entries) {
    std::string out = "[";
    for (size_t k = 0; k < entries.size(); ++k)
        out += (k ? ", " : "") + std::to_string(entries[k] + 1);
    return out + "]";
}

std::string JsonFinding(const DictionaryModel& model, LintScope scope, const LintFinding& finding,
                        const Wording& wording) {
    const EntryModel& entry = model.entries[finding.entry];
    return std::string("{\"kind\": \"") + KindName(finding.kind) + "\", \"severity\": \"" +
           SeverityName(SeverityOf(finding.kind)) +
           "\", \"entry\": " + std::to_string(finding.entry + 1) +
           ", \"source\": " + JsonString(wording.Text(entry.source)) +
           ", \"target\": " + JsonString(wording.Text(entry.target)) +
           ", \"covered_by\": " + JsonNumbers(finding.coveredBy) +
           ", \"related\": " + JsonNumbers(finding.related) +
           ", \"everywhere\": " + (finding.everywhere ? "true" : "false") +
           ", \"message\": " + JsonString(wording.Message(scope, finding)) + "}";
}

void WriteJson(const std::string& path, const DictionaryModel& model, const LintReport& report,
               const Wording& wording, Output& output) {
    std::string out = "{\n  \"dictionary\": " + JsonString(path) +
                      ",\n  \"entries\": " + std::to_string(model.entries.size()) +
                      ",\n  \"types_tested\": " + std::to_string(report.typesTested) +
                      ",\n  \"errors\": " + std::to_string(report.Count(LintSeverity::kError)) +
                      ",\n  \"warnings\": " + std::to_string(report.Count(LintSeverity::kWarning)) +
                      ",\n  \"notes\": " + std::to_string(report.Count(LintSeverity::kNote));
    for (int scope = 0; scope < kLintScopes; ++scope) {
        out += ",\n  \"" + std::string(kScopeNames[scope]) + "\": [";
        const std::vector<LintFinding>& findings = report.findings[scope];
        for (size_t k = 0; k < findings.size(); ++k)
            out += (k ? ",\n    " : "\n    ") +
                   JsonFinding(model, static_cast<LintScope>(scope), findings[k], wording);
        out += findings.empty() ? "]" : "\n  ]";
    }
    output.Write(out + "\n}\n");
}

}  // namespace

int RunLint(const std::string& dictionary, bool json) {
    Cp932 codec;
    DictionaryModel model;
    if (!LoadForLint(dictionary, &model, codec)) return 1;
    const LintReport report = LintDictionary(model);
    const Wording wording(model, report, codec);
    Output output;
    std::string error;
    output.Open("", &error);
    if (json)
        WriteJson(dictionary, model, report, wording, output);
    else
        WriteLines(dictionary, model, report, wording, output);
    if (!output.Commit(&error)) return Complain(output.name(), error), 1;
    return report.Count(LintSeverity::kError) ? 1 : 0;
}

}  // namespace zevtool
