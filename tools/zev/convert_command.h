// zev convert: text through the dictionary library's conversion, line by
// line, as the converter program calls it.
#ifndef ZEV_TOOL_CONVERT_COMMAND_H
#define ZEV_TOOL_CONVERT_COMMAND_H

#include <stddef.h>

#include <string>
#include <vector>

namespace zevtool {

struct ConvertRequest {
    std::string dictionary;
    std::string level = "1";  // a number or a level name
    std::string types = "1";  // numbers or type names, separated by commas
    bool backward = false;
    bool cp932 = false;               // the text is code page 932 rather than UTF-8
    std::string output;               // empty: standard output
    std::vector<std::string> inputs;  // empty: standard input
    int threads = 0;                  // 0: one per core
    size_t chunkBytes = 1 << 18;      // lines are handed to the threads in chunks of this size
};

// Returns the process exit code: 0, 1 (bad input, failed operation) or
// 2 (bad usage).
int RunConvert(const ConvertRequest& request);

}  // namespace zevtool

#endif
