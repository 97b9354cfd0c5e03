// zev: the dialect dictionary tool for Linux, on the dictionary library.
//
// Exit codes: 0 success, 1 bad input or a failed operation, 2 bad usage.
#include <CLI/CLI.hpp>

#include <stdio.h>

#include "commands.h"
#include "convert_command.h"
#include "lint.h"
#include "lint_command.h"
#include "zev_version.h"

using namespace zevtool;

namespace {

CLI::App* AddConvert(CLI::App& app, ConvertRequest& request) {
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert text line by line with a dictionary (to standard output or -o)");
    convert->add_option("-d,--dictionary", request.dictionary, "Dictionary file (.zev)")
        ->required();
    convert->add_option("-l,--level", request.level,
                        "Conversion level, by number or name; entries of this level and lower "
                        "apply (default 1)");
    convert->add_option("-t,--types", request.types,
                        "Entry types, by number or name, separated by commas, e.g. 1,3 "
                        "(default 1)");
    convert->add_flag("-r,--reverse", request.backward,
                      "Convert backward, from the target dialect to the source dialect");
    convert
        ->add_option_function<std::string>(
            "-e,--encoding",
            [&request](const std::string& name) {
                request.cp932 = name == "cp932" || name == "CP932";
            },
            "Encoding of the text: utf-8 (default) or cp932")
        ->check(CLI::IsMember({"utf-8", "cp932"}, CLI::ignore_case));
    convert->add_option("-o,--output", request.output, "Write the result to this file");
    convert
        ->add_option("-j,--jobs", request.threads,
                     "Threads to convert on (default: one per core); the output is the same")
        ->check(CLI::Range(1, 256));
    convert
        ->add_option("--chunk-size", request.chunkBytes,
                     "Bytes of whole lines each thread takes at a time (default 262144)")
        ->check(CLI::Range(static_cast<size_t>(1), static_cast<size_t>(1) << 30));
    convert->add_option("FILE", request.inputs, "Text files (default: standard input)");
    return convert;
}

// The findings and exit codes of zev lint, for its --help.
std::string LintFindings() {
    return "Every level and type selection is considered, in each direction (forward\n"
           "seeks the sources, backward the targets). Findings:\n"
           "  error    unreachable     no selection reaches it (OR without types, empty pattern)\n"
           "  error    shadowed        earlier entries whose patterns begin its own always win\n"
           "  error    duplicate       an earlier entry with the same pattern always wins\n"
           "  error    without-effect  source equals target, and it keeps nothing from matching\n"
           "  warning  one-character   a pattern of one character\n"
           "  warning  common-part     a pattern inside (not at the start of) " +
           std::to_string(kCommonPartThreshold) +
           " or more other patterns\n"
           "  warning  level-0, level-beyond  a level that no program offers\n"
           "  note     ambiguous       backward, an earlier entry with the same target wins\n"
           "  note     guard           source equals target, and it keeps entries from matching\n"
           "Exit codes: 0 no errors, 1 errors (or a file that cannot be read), 2 bad usage.";
}

CLI::App* AddLint(CLI::App& app, std::string& dictionary, bool& json) {
    CLI::App* lint = app.add_subcommand(
        "lint", "Find entries that the order of the entries keeps from ever applying");
    lint->add_option("DICT", dictionary, "Dictionary file (.zev), or its text form (*.txt)")
        ->required();
    lint->add_flag("--json", json, "Write one JSON object instead of lines");
    lint->footer(LintFindings());
    return lint;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "zev: convert Japanese text between dialects with a dialect dictionary (.zev),\n"
        "and inspect, dump, build and check dictionaries.",
        "zev"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "zev " ZEV_VERSION);

    ConvertRequest request;
    CLI::App* convert = AddConvert(app, request);

    std::string dictionary, text, output;
    CLI::App* info = app.add_subcommand("info", "Show a dictionary's names, counts and footer");
    info->add_option("DICT", dictionary, "Dictionary file")->required();

    CLI::App* dump = app.add_subcommand("dump", "Write a dictionary in its UTF-8 text form");
    dump->add_option("DICT", dictionary, "Dictionary file")->required();
    dump->add_option("-o,--output", output, "Write to this file instead of standard output");

    CLI::App* build = app.add_subcommand("build", "Make a dictionary file from its text form");
    build->add_option("TEXT", text, "Text form of the dictionary (UTF-8)")->required();
    build->add_option("-o,--output", output, "Dictionary file to write")->required();

    CLI::App* check =
        app.add_subcommand("check", "Test a dictionary file's structure and read it whole");
    check->add_option("DICT", dictionary, "Dictionary file")->required();

    bool json = false;
    CLI::App* lint = AddLint(app, dictionary, json);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    try {
        if (*convert) return RunConvert(request);
        if (*info) return RunInfo(dictionary);
        if (*dump) return RunDump(dictionary, output);
        if (*build) return RunBuild(text, output);
        if (*lint) return RunLint(dictionary, json);
        return RunCheck(dictionary);
    } catch (const std::exception& e) {  // no memory, no iconv converter
        fprintf(stderr, "zev: %s\n", e.what());
        return 1;
    }
}
