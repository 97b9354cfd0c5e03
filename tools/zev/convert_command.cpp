#include "convert_command.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <thread>

#include "chunks.h"
#include "cp932.h"
#include "dicmodel.h"
#include "dicscan.h"
#include "lineconvert.h"
#include "output.h"
#include "pipeline.h"
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

// What the chunks of one run report, in input order: each warning once,
// at its first line, and the first failure. `linesBefore`: the lines of
// the input before the chunk.
struct Reporter {
    bool warnedInvalid = false;
    bool warnedUndecodable = false;

    bool Emit(const Input& input, const Chunk& chunk, size_t linesBefore, Output& output) {
        output.Write(chunk.converted.data(), chunk.converted.size());
        const LinesReport& report = chunk.report;
        auto where = [&](size_t line) {
            return input.name + ":" + std::to_string(linesBefore + line);
        };
        if (report.invalidLine && !warnedInvalid) {
            warnedInvalid = true;
            Complain(where(report.invalidLine),
                     "warning: bytes that are not UTF-8 are passed through unchanged");
        }
        if (report.undecodableLine && !warnedUndecodable) {
            warnedUndecodable = true;
            Complain(where(report.undecodableLine),
                     "warning: the dictionary gave bytes that are not code page 932 text; "
                     "they are written as they are");
        }
        if (!chunk.ok) Complain(where(report.failedLine), report.error);
        return chunk.ok;
    }
};

// Converts one input chunk by chunk; the pipeline is empty again after it.
bool ConvertInput(const Input& input, size_t chunkBytes, ChunkPipeline& pipeline,
                  Reporter& reporter, Output& output) {
    ChunkReader reader(input.file, chunkBytes);
    // Chunks are used again, so that their buffers are allocated (and
    // their pages touched) only once.
    std::vector<std::unique_ptr<Chunk>> spare;
    size_t linesBefore = 0;
    auto emit = [&](std::unique_ptr<Chunk> chunk, bool* ok) {
        if (*ok) *ok = reporter.Emit(input, *chunk, linesBefore, output);
        linesBefore += chunk->lineEnds;
        spare.push_back(std::move(chunk));
    };
    bool ok = true;
    for (;;) {
        while (ok && pipeline.Full()) emit(pipeline.Take(), &ok);
        std::unique_ptr<Chunk> chunk;
        if (spare.empty()) {
            chunk.reset(new Chunk);
        } else {
            chunk = std::move(spare.back());
            spare.pop_back();
        }
        if (!ok || !reader.Next(chunk.get())) break;
        pipeline.Submit(std::move(chunk));
    }
    const int readError = errno;
    while (!pipeline.Empty()) emit(pipeline.Take(), &ok);
    if (ok && reader.failed()) {
        Complain(input.name, std::string("cannot read: ") + strerror(readError ? readError : EIO));
        ok = false;
    }
    return ok;
}

int ThreadCount(int requested) {
    if (requested > 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
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
    // One converter (and codec) per thread. The first conversion builds
    // the library's matcher; after it the threads' conversions only read.
    // Without line ends in the entries, a run of lines is one call.
    const bool spanLines = !EntriesHoldLineEnds();
    const int threads = ThreadCount(request.threads);
    std::vector<std::unique_ptr<Cp932>> codecs;
    std::vector<std::unique_ptr<LineConverter>> converters;
    std::vector<LineConverter*> workers;
    for (int i = 0; i < threads; ++i) {
        codecs.emplace_back(new Cp932);
        converters.emplace_back(new LineConverter(*codecs.back(), level, types, request.backward,
                                                  request.cp932, spanLines));
        workers.push_back(converters.back().get());
    }
    std::string warmUp;
    if (ok && !converters[0]->Convert("", &warmUp, &error)) {
        Complain(request.dictionary, error);
        ok = false;
    }
    {
        ChunkPipeline pipeline(workers);
        Reporter reporter;
        for (const Input& input : inputs) {
            if (ok) ok = ConvertInput(input, request.chunkBytes, pipeline, reporter, output);
            if (input.file != stdin) fclose(input.file);
        }
    }
    if (ok && !output.Commit(&error)) {
        Complain(output.name(), error);
        ok = false;
    }
    zevCloseDic();
    return ok ? 0 : 1;
}

}  // namespace zevtool
