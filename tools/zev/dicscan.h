// An independent walk over the bytes of a dictionary file, to say in plain
// words where a file that the library refuses goes wrong, and to point out
// what the library tolerates but does not write itself.
#ifndef ZEV_TOOL_DICSCAN_H
#define ZEV_TOOL_DICSCAN_H

#include <string>
#include <vector>

namespace zevtool {

struct ScanResult {
    std::string error;                  // empty when the structure is sound
    std::vector<std::string> warnings;  // oddities the programs accept
};

ScanResult ScanDictionary(const std::string& bytes);

// Why the library's structural test refuses a file with these bytes.
std::string WhyFormatTestFails(const std::string& bytes);

}  // namespace zevtool

#endif
