// The dictionary library's last failure in plain words, for the tools'
// messages.
#ifndef ZEV_TOOL_LIBRARYFAILURE_H
#define ZEV_TOOL_LIBRARYFAILURE_H

#include <string>

namespace zevtool {

std::string LibraryFailure();

}  // namespace zevtool

#endif
