#include "dicmodel.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include "dicscan.h"
#include "zev.h"

namespace zevtool {

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        *error = strerror(errno);
        return false;
    }
    bytes->clear();
    char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) bytes->append(block, got);
    const bool failed = ferror(file) != 0;
    const int readErrno = errno;
    fclose(file);
    if (failed) *error = strerror(readErrno);
    return !failed;
}

static std::string Name(int (*get)(uint8_t, char*), int number) {
    char buffer[ZEV_TEXT_BUFFER] = {0};
    get(static_cast<uint8_t>(number), buffer);
    return buffer;
}

static void CopyOpenDictionary(DictionaryModel* model) {
    char buffer[ZEV_TEXT_BUFFER] = {0};
    zevGetBeforeName(buffer);
    model->sourceName = buffer;
    zevGetAfterName(buffer);
    model->targetName = buffer;
    model->levelNames.clear();
    for (int i = 1; i <= zevGetLevelCount(); ++i)
        model->levelNames.push_back(Name(zevGetLevelName, i));
    model->typeNames.clear();
    for (int i = 1; i <= zevGetTypeCount(); ++i)
        model->typeNames.push_back(Name(zevGetTypeName, i));

    char comment[ZEV_TEXT_BUFFER] = {0};
    char holder[ZEV_TEXT_BUFFER] = {0};
    zevGetFooter(&model->version[0], &model->version[1], &model->version[2], comment,
                 &model->copyrightYear, holder);
    model->comment = comment;
    model->copyrightHolder = holder;

    // Reading numbers the entries 1 to n in file order.
    const int count = zevGetDataCount();
    model->entries.assign(static_cast<size_t>(count), EntryModel());
    for (int slot = 1; slot <= count; ++slot) {
        EntryModel& entry = model->entries[static_cast<size_t>(slot - 1)];
        char source[ZEV_TEXT_BUFFER] = {0};
        char target[ZEV_TEXT_BUFFER] = {0};
        zevGetData(static_cast<uint16_t>(slot), source, &entry.level, &entry.typeMask,
                   &entry.condition, target);
        entry.source = source;
        entry.target = target;
    }
}

bool LoadDictionary(const std::string& path, DictionaryModel* model, std::string* error) {
    if (zevIsOpen()) zevCloseDic();
    // The walk rather than the library's structural test decides here, so
    // that every file the library writes can be read (also the 42-byte
    // dictionary without names, which that test refuses).
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, error)) return *error = "cannot open: " + *error, false;
    const std::string reason = ScanDictionary(bytes).error;
    if (!reason.empty()) return *error = "not a dictionary file: " + reason, false;
    if (!zevOpenDic(path.c_str())) return *error = "cannot read: " + LibraryFailure(), false;
    CopyOpenDictionary(model);
    zevCloseDic();
    return true;
}

// Adds one entry. The library takes a type mask of 0 only when an entry is
// updated, so such an entry is made with type 1 first.
static bool AddEntry(const EntryModel& entry) {
    const uint8_t firstMask = entry.typeMask != 0 ? entry.typeMask : 1;
    const uint16_t slot = zevCreateData(entry.source.c_str(), entry.level, firstMask,
                                        entry.condition, entry.target.c_str());
    if (slot == 0) return false;
    if (entry.typeMask != 0) return true;
    return zevUpdateData(slot, entry.source.c_str(), entry.level, 0, entry.condition,
                         entry.target.c_str()) != 0;
}

static bool Fill(const DictionaryModel& model, std::string* error) {
    for (size_t i = 0; i < model.levelNames.size(); ++i) {
        if (model.levelNames[i].empty()) continue;  // new levels start unnamed
        if (!zevSetLevelAndType(model.levelNames[i].c_str(), static_cast<uint8_t>(i + 1), nullptr,
                                0)) {
            *error = "level " + std::to_string(i + 1) + ": " + LibraryFailure();
            return false;
        }
    }
    for (size_t i = 0; i < model.typeNames.size(); ++i) {
        if (model.typeNames[i].empty()) continue;
        if (!zevSetLevelAndType(nullptr, 0, model.typeNames[i].c_str(),
                                static_cast<uint8_t>(i + 1))) {
            *error = "type " + std::to_string(i + 1) + ": " + LibraryFailure();
            return false;
        }
    }
    for (size_t i = 0; i < model.entries.size(); ++i) {
        if (!AddEntry(model.entries[i])) {
            *error = "entry " + std::to_string(i + 1) + ": " + LibraryFailure();
            return false;
        }
    }
    if (!zevUpdateFooter(model.version[0], model.version[1], model.version[2],
                         model.comment.c_str(), model.copyrightYear,
                         model.copyrightHolder.c_str())) {
        *error = "footer: " + LibraryFailure();
        return false;
    }
    return true;
}

bool SaveDictionary(const DictionaryModel& model, const std::string& path, std::string* error) {
    if (zevIsOpen()) zevCloseDic();
    if (model.levelNames.empty() || model.levelNames.size() > 255 || model.typeNames.empty() ||
        model.typeNames.size() > 255) {
        *error = "a dictionary has 1 to 255 levels and 1 to 255 types";
        return false;
    }
    if (!zevCreateDic(model.sourceName.c_str(), model.targetName.c_str(),
                      static_cast<uint8_t>(model.levelNames.size()),
                      static_cast<uint8_t>(model.typeNames.size()))) {
        *error = "dialect names: " + LibraryFailure();
        return false;
    }
    bool ok = Fill(model, error);
    if (ok && !zevSaveDic(path.c_str())) {
        *error = "cannot write: " + LibraryFailure();
        ok = false;
    }
    zevCloseDic();
    return ok;
}

}  // namespace zevtool
