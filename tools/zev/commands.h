// The dictionary file commands of zev. Each returns the process exit code.
#ifndef ZEV_TOOL_COMMANDS_H
#define ZEV_TOOL_COMMANDS_H

#include <string>

namespace zevtool {

int RunInfo(const std::string& dictionary);
int RunDump(const std::string& dictionary, const std::string& output);
int RunBuild(const std::string& text, const std::string& output);
int RunCheck(const std::string& dictionary);

}  // namespace zevtool

#endif
