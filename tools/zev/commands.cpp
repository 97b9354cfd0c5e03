#include "commands.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "cp932.h"
#include "dicmodel.h"
#include "dicscan.h"
#include "output.h"
#include "textform.h"
#include "zev.h"

namespace zevtool {

int RunInfo(const std::string& dictionary) {
    DictionaryModel model;
    std::string error;
    if (!LoadDictionary(dictionary, &model, &error)) return Complain(dictionary, error), 1;
    Cp932 codec;
    std::string out = "source dialect: " + EscapeText(model.sourceName, codec) + "\n" +
                      "target dialect: " + EscapeText(model.targetName, codec) + "\n" +
                      "levels: " + std::to_string(model.levelNames.size()) + "\n";
    for (size_t i = 0; i < model.levelNames.size(); ++i)
        out += "  " + std::to_string(i + 1) + " " + EscapeText(model.levelNames[i], codec) + "\n";
    out += "types: " + std::to_string(model.typeNames.size()) + "\n";
    for (size_t i = 0; i < model.typeNames.size(); ++i)
        out += "  " + std::to_string(i + 1) + " " + EscapeText(model.typeNames[i], codec) + "\n";
    out += "entries: " + std::to_string(model.entries.size()) + "\n";
    out += "version: " + std::to_string(model.version[0]) + "." + std::to_string(model.version[1]) +
           "." + std::to_string(model.version[2]) + "\n";
    out += "copyright: " +
           (model.copyrightYear ? std::to_string(model.copyrightYear) + " " : std::string()) +
           EscapeText(model.copyrightHolder, codec) + "\n";
    out += "comment: " + EscapeText(model.comment, codec) + "\n";
    fputs(out.c_str(), stdout);
    return fflush(stdout) == 0 ? 0 : (Complain("standard output", "cannot write"), 1);
}

// Builds the written text again in a scratch folder and compares the result
// with the original bytes; `reason` says what the text form cannot carry.
static bool RebuildsExactly(const std::string& text, const std::string& original, Cp932& codec,
                            std::string* reason) {
    DictionaryModel model;
    std::vector<LineError> errors;
    if (!ReadTextForm(text, codec, &model, &errors)) {
        *reason = "line " + std::to_string(errors[0].line) + " of the text: " + errors[0].reason;
        return false;
    }
    const char* tmp = getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/zev-dump.XXXXXX";
    if (!mkdtemp(&folder[0])) return *reason = "no scratch folder for the comparison", false;
    const std::string path = folder + "/rebuilt.zev";
    std::string rebuilt, error;
    bool same = SaveDictionary(model, path, &error) && ReadWholeFile(path, &rebuilt, &error);
    unlink(path.c_str());
    rmdir(folder.c_str());
    if (!same) return *reason = error, false;
    if (rebuilt == original) return true;
    const ScanResult scan = ScanDictionary(original);
    if (!scan.warnings.empty()) return *reason = scan.warnings[0], false;
    size_t at = 0;
    while (at < rebuilt.size() && at < original.size() && rebuilt[at] == original[at]) ++at;
    *reason = "it differs from the rebuilt file at byte " + std::to_string(at) +
              " (a text with a NUL byte, or a value the library does not write)";
    return false;
}

int RunDump(const std::string& dictionary, const std::string& outputPath) {
    DictionaryModel model;
    std::string error, original;
    if (!LoadDictionary(dictionary, &model, &error) ||
        !ReadWholeFile(dictionary, &original, &error))
        return Complain(dictionary, error), 1;
    Cp932 codec;
    const std::string text = WriteTextForm(model, codec);
    Output output;
    if (!output.Open(outputPath, &error)) return Complain(output.name(), error), 1;
    output.Write(text);
    if (!output.Commit(&error)) return Complain(output.name(), error), 1;
    std::string reason;
    if (!RebuildsExactly(text, original, codec, &reason)) {
        Complain(dictionary, "the text form cannot give back this file byte for byte: " + reason +
                                 " (the text was written all the same)");
        return 1;
    }
    return 0;
}

int RunBuild(const std::string& textPath, const std::string& outputPath) {
    std::string text, error;
    if (!ReadWholeFile(textPath, &text, &error))
        return Complain(textPath, "cannot open: " + error), 1;
    Cp932 codec;
    DictionaryModel model;
    std::vector<LineError> errors;
    if (!ReadTextForm(text, codec, &model, &errors)) {
        for (const LineError& bad : errors)
            Complain(bad.line ? textPath + ":" + std::to_string(bad.line) : textPath, bad.reason);
        fprintf(stderr, "zev: %s: %zu error%s; %s was not written\n", textPath.c_str(),
                errors.size(), errors.size() == 1 ? "" : "s", outputPath.c_str());
        return 1;
    }
    std::string target;
    if (!ReplaceableFile(outputPath, &target, &error)) return Complain(outputPath, error), 1;
    if (!SaveDictionary(model, target, &error)) return Complain(outputPath, error), 1;
    return 0;
}

int RunCheck(const std::string& dictionary) {
    if (!zevIsZevFormat(dictionary.c_str()) && zevGetZevLastError() != ZEV_ERR_FORMAT)
        return Complain(dictionary, "cannot open: " + LibraryFailure()), 1;
    const bool passes = zevGetZevLastError() == ZEV_ERR_NONE;
    std::string bytes, error;
    if (!ReadWholeFile(dictionary, &bytes, &error))
        return Complain(dictionary, "cannot read: " + error), 1;
    const ScanResult scan = ScanDictionary(bytes);
    if (!passes || !scan.error.empty())
        return Complain(dictionary, "not a dictionary file: " + WhyFormatTestFails(bytes)), 1;
    if (!zevOpenDic(dictionary.c_str()))
        return Complain(dictionary, "cannot read: " + LibraryFailure()), 1;
    const int entries = zevGetDataCount();
    const int levels = zevGetLevelCount();
    const int types = zevGetTypeCount();
    zevCloseDic();
    for (const std::string& warning : scan.warnings) Complain(dictionary, "warning: " + warning);
    printf("%s: sound: %d entries, %d levels, %d types\n", dictionary.c_str(), entries, levels,
           types);
    return 0;
}

}  // namespace zevtool
