#include "convert_command.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "cp932.h"
#include "dicmodel.h"
#include "dicscan.h"
#include "lineconvert.h"
#include "output.h"
#include "zev.h"

namespace zevtool {

namespace {

struct Input {
    std::string name;
    FILE* file;
};

bool OpenDictionary(const std::string& path) {
    // As the converter program: the structural test first, then the read.
    if (!zevIsZevFormat(path.c_str())) {
        if (zevGetZevLastError() != ZEV_ERR_FORMAT) {
            Complain(path, "cannot open: " + LibraryFailure());
            return false;
        }
        std::string bytes, error;
        ReadWholeFile(path, &bytes, &error);
        Complain(path, "not a dictionary file: " + WhyFormatTestFails(bytes));
        return false;
    }
    if (!zevOpenDic(path.c_str())) {
        Complain(path, "cannot read: " + LibraryFailure());
        return false;
    }
    return true;
}

// A level or type by number or by its name in the dictionary.
bool Lookup(const std::string& item, int count, int (*getName)(uint8_t, char*), Cp932& codec,
            int* number) {
    if (item.empty()) return false;
    if (item.size() <= 3 && item.find_first_not_of("0123456789") == std::string::npos) {
        *number = atoi(item.c_str());
        return *number >= 1 && *number <= count;
    }
    std::string name;
    if (!codec.Encode(item, &name)) return false;
    int matches = 0;
    for (int i = 1; i <= count; ++i) {
        char buffer[ZEV_TEXT_BUFFER] = {0};
        getName(static_cast<uint8_t>(i), buffer);
        if (name == buffer && ++matches == 1) *number = i;
    }
    return matches == 1;
}

bool ResolveLevel(const ConvertRequest& request, Cp932& codec, uint8_t* level) {
    int number = 0;
    const int count = zevGetLevelCount();
    if (!Lookup(request.level, count, zevGetLevelName, codec, &number)) {
        Complain(request.dictionary, "no level '" + request.level +
                                         "': the dictionary has levels 1 to " +
                                         std::to_string(count));
        return false;
    }
    *level = static_cast<uint8_t>(number);
    return true;
}

// Types beyond the eighth cannot be selected: a type mask has eight bits.
bool ResolveTypes(const ConvertRequest& request, Cp932& codec, uint8_t* mask) {
    const int count = zevGetTypeCount() < 8 ? zevGetTypeCount() : 8;
    *mask = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = request.types.find(',', start);
        const std::string item = request.types.substr(start, comma - start);
        int number = 0;
        if (!Lookup(item, count, zevGetTypeName, codec, &number)) {
            Complain(request.dictionary, "no type '" + item + "': the dictionary has types 1 to " +
                                             std::to_string(count) + " (by number or by name)");
            return false;
        }
        *mask = static_cast<uint8_t>(*mask | (1u << (number - 1)));
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool OpenInputs(const ConvertRequest& request, std::vector<Input>* inputs) {
    if (request.inputs.empty()) inputs->push_back({"standard input", stdin});
    for (const std::string& path : request.inputs) {
        FILE* file = path == "-" ? stdin : fopen(path.c_str(), "rb");
        if (!file) {
            Complain(path, std::string("cannot open: ") + strerror(errno));
            for (Input& input : *inputs)
                if (input.file != stdin) fclose(input.file);
            return false;
        }
        inputs->push_back({path == "-" ? "standard input" : path, file});
    }
    return true;
}

// Converts one input line by line, keeping each line's end (LF, CR LF or
// none at the end of the input).
bool ConvertInput(const Input& input, LineConverter& converter, Output& output) {
    char* buffer = nullptr;
    size_t capacity = 0;
    ssize_t got;
    size_t lineNumber = 0;
    bool ok = true;
    std::string converted;
    std::string error;
    errno = 0;
    while (ok && (got = getline(&buffer, &capacity, input.file)) >= 0) {
        ++lineNumber;
        const char* end;
        const size_t length = LineBody(buffer, static_cast<size_t>(got), &end);
        const bool wasInvalid = converter.sawInvalidInput;
        const bool wasUndecodable = converter.sawUndecodable;
        if (!converter.Convert(std::string(buffer, length), &converted, &error)) {
            Complain(input.name + ":" + std::to_string(lineNumber), error);
            ok = false;
            break;
        }
        if (converter.sawInvalidInput && !wasInvalid)
            Complain(input.name + ":" + std::to_string(lineNumber),
                     "warning: bytes that are not UTF-8 are passed through unchanged");
        if (converter.sawUndecodable && !wasUndecodable)
            Complain(input.name + ":" + std::to_string(lineNumber),
                     "warning: the dictionary gave bytes that are not code page 932 text; "
                     "they are written as they are");
        output.Write(converted);
        output.Write(end);
    }
    if (ok && ferror(input.file)) {
        Complain(input.name, std::string("cannot read: ") + strerror(errno ? errno : EIO));
        ok = false;
    }
    free(buffer);
    return ok;
}

}  // namespace

int RunConvert(const ConvertRequest& request) {
    if (!OpenDictionary(request.dictionary)) return 1;
    Cp932 codec;
    uint8_t level = 0, types = 0;
    if (!ResolveLevel(request, codec, &level) || !ResolveTypes(request, codec, &types)) return 2;
    if (zevGetDataCount() == 0) {
        Complain(request.dictionary, "the dictionary has no entries to convert with");
        return 1;
    }
    std::vector<Input> inputs;
    if (!OpenInputs(request, &inputs)) return 1;
    Output output;
    std::string error;
    bool ok = output.Open(request.output, &error);
    if (!ok) Complain(output.name(), error);
    LineConverter converter(codec, level, types, request.backward, request.cp932);
    for (const Input& input : inputs) {
        if (ok) ok = ConvertInput(input, converter, output);
        if (input.file != stdin) fclose(input.file);
    }
    if (ok && !output.Commit(&error)) {
        Complain(output.name(), error);
        ok = false;
    }
    zevCloseDic();
    return ok ? 0 : 1;
}

}  // namespace zevtool
