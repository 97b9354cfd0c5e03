// zev lint: what the order of a dictionary's entries hides, as lines for
// people or as one JSON object for tools.
#ifndef ZEV_TOOL_LINT_COMMAND_H
#define ZEV_TOOL_LINT_COMMAND_H

#include <string>

namespace zevtool {

// `dictionary` is a .zev file, or the text form when its name ends in
// ".txt". Returns 0 when there are at most warnings and notes, 1 when an
// entry never applies or changes nothing (or the file cannot be read).
int RunLint(const std::string& dictionary, bool json);

}  // namespace zevtool

#endif
