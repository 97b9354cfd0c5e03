// The text form of a dictionary: plain UTF-8 lines that people can edit and
// keep under version control. `zev dump` writes it and `zev build` reads it;
// reading what was written gives back the same dictionary, byte for byte.
#ifndef ZEV_TOOL_TEXTFORM_H
#define ZEV_TOOL_TEXTFORM_H

#include <stddef.h>

#include <string>
#include <vector>

#include "cp932.h"
#include "dicmodel.h"

namespace zevtool {

struct LineError {
    size_t line;  // 1-based; 0 when the problem belongs to no single line
    std::string reason;
};

// A code-page-932 text as UTF-8, with \xHH for every byte that has no exact
// UTF-8 form and escapes for backslash, quote and control characters.
std::string EscapeText(const std::string& cp932, Cp932& codec);

std::string WriteTextForm(const DictionaryModel& model, Cp932& codec);

// Fills `model` from `text`; false with one error per bad line otherwise.
bool ReadTextForm(const std::string& text, Cp932& codec, DictionaryModel* model,
                  std::vector<LineError>* errors);

}  // namespace zevtool

#endif
