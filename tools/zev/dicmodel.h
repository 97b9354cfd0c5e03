// A whole dictionary as plain values, read from and written to `.zev` files
// through the dictionary library. Every text is code-page-932 bytes.
#ifndef ZEV_TOOL_DICMODEL_H
#define ZEV_TOOL_DICMODEL_H

#include <stdint.h>

#include <string>
#include <vector>

#include "libraryfailure.h"

namespace zevtool {

struct EntryModel {
    uint8_t level = 1;
    uint8_t typeMask = 1;
    uint8_t condition = 0;  // 1 = AND, any other value = OR
    std::string source;
    std::string target;
};

struct DictionaryModel {
    std::string sourceName;
    std::string targetName;
    std::vector<std::string> levelNames;  // element i names level i + 1
    std::vector<std::string> typeNames;
    uint8_t version[3] = {1, 0, 0};
    uint16_t copyrightYear = 0;
    std::string copyrightHolder;
    std::string comment;
    std::vector<EntryModel> entries;  // in priority (file) order
};

// Opens `path` with the library after its structural test, copies the whole
// dictionary into `model` and closes it again. On failure `error` says why.
bool LoadDictionary(const std::string& path, DictionaryModel* model, std::string* error);

// Writes `model` to `path` through the library (which replaces the file in
// one step). On failure `error` says why and the file is left as it was.
bool SaveDictionary(const DictionaryModel& model, const std::string& path, std::string* error);

// Reads a whole file; false with the system's reason on failure.
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error);

}  // namespace zevtool

#endif
