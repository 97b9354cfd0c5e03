// The dictionary store: entries in their slots, names, footer, sizes and
// the last error.
#include "dictionary.h"

#include <string.h>

#include "platform.h"

uint8_t CopyText(char* destination, const char* source) {
    size_t length = strnlen(source, ZEV_MAX_TEXT);
    memcpy(destination, source, length);
    destination[length] = '\0';
    return static_cast<uint8_t>(length);
}

// Length of a name that may be stored: 1 to 255 bytes, else 0.
static size_t ValidNameLength(const char* name) {
    size_t length = strnlen(name, ZEV_MAX_TEXT + 1);
    return length <= ZEV_MAX_TEXT ? length : 0;
}

static uint32_t RecordSize(const DataRecord* record) {
    return 5u + record->sourceLength + record->targetLength;
}

static void StoreRecord(DataRecord* record, const char* source, uint8_t level, uint8_t typeMask,
                        uint8_t condition, const char* target) {
    record->level = level;
    record->typeMask = typeMask;
    record->condition = condition;
    memset(record->source, 0, sizeof record->source);
    memset(record->target, 0, sizeof record->target);
    record->sourceLength = CopyText(record->source, source);
    record->targetLength = CopyText(record->target, target);
}

Dictionary::Dictionary() : lastError(ZEV_ERR_NONE), lastWin32Error(0) { ResetFields(); }

Dictionary::~Dictionary() {
    if (isOpen) ReleaseAll();
}

uint8_t Dictionary::LargestTypeMask(uint8_t types) {
    if (types <= 1) return 1;
    if (types >= 8) return 0xFF;
    return static_cast<uint8_t>((1u << types) - 1);
}

int Dictionary::Fail(uint16_t code) {
    lastError = code;
    return 0;
}

int Dictionary::FailSystem(uint32_t systemCode) {
    lastWin32Error = systemCode;
    lastError = ZEV_ERR_WIN32;
    return 0;
}

int Dictionary::Succeed() {
    lastError = ZEV_ERR_NONE;
    return 1;
}

// Frees every name and record (release failures are ignored) and returns to
// the closed state.
void Dictionary::ReleaseAll() {
    for (int i = 0; i < kMaxNames; ++i) {
        if (levelNames[i]) platform::Free(levelNames[i]);
        if (typeNames[i]) platform::Free(typeNames[i]);
    }
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        if (entries[i]) platform::Free(entries[i]);
    }
    matchers.Invalidate();
    ResetFields();
}

// Every field but the last error back to zero: the closed state.
void Dictionary::ResetFields() {
    headerSize = 0;
    beforeNameLength = 0;
    memset(beforeName, 0, sizeof beforeName);
    afterNameLength = 0;
    memset(afterName, 0, sizeof afterName);
    levelCount = 0;
    memset(levelNames, 0, sizeof levelNames);
    typeCount = 0;
    memset(typeNames, 0, sizeof typeNames);
    dataSize = 0;
    dataCount = 0;
    memset(entries, 0, sizeof entries);
    memset(&footer, 0, sizeof footer);
    isOpen = 0;
    firstFreeSlot = 0;
}

// Steps upward from firstFreeSlot to the lowest free slot.
void Dictionary::AdvanceFirstFreeSlot() {
    uint32_t index = firstFreeSlot;
    while (index < ZEV_MAX_DATA && entries[index]) ++index;
    firstFreeSlot = index < ZEV_MAX_DATA ? static_cast<uint16_t>(index) : SLOTS_FULL;
}

// The header payload size with the given level and type names in place of
// the stored ones (a null name or number 0 keeps the stored name).
uint32_t Dictionary::HeaderPayloadSize(int level, const char* levelName, int type,
                                       const char* typeName) const {
    uint32_t size = 3u + static_cast<uint32_t>(strlen(beforeName) + strlen(afterName));
    for (int i = 0; i < levelCount; ++i) {
        const char* name = (levelName && i == level - 1) ? levelName : levelNames[i]->text;
        size += 1 + static_cast<uint32_t>(strlen(name));
    }
    size += 1;
    for (int i = 0; i < typeCount; ++i) {
        const char* name = (typeName && i == type - 1) ? typeName : typeNames[i]->text;
        size += 1 + static_cast<uint32_t>(strlen(name));
    }
    return size;
}

void Dictionary::RecomputeHeaderSize() {
    headerSize = static_cast<uint16_t>(HeaderPayloadSize(0, nullptr, 0, nullptr));
}

int Dictionary::CreateDic(const char* before, const char* after, uint8_t levels, uint8_t types) {
    if (isOpen) return Fail(ZEV_ERR_ALREADY_OPEN);
    if (!before || !after || levels == 0 || types == 0) return Fail(ZEV_ERR_PARAMETER);
    size_t beforeLength = ValidNameLength(before);
    size_t afterLength = ValidNameLength(after);
    if (beforeLength == 0 || afterLength == 0) return Fail(ZEV_ERR_PARAMETER);

    for (int i = 0; i < levels + types; ++i) {
        NameString** slot = i < levels ? &levelNames[i] : &typeNames[i - levels];
        *slot = static_cast<NameString*>(platform::AllocZeroed(sizeof(NameString)));
        if (!*slot) {
            ReleaseAll();
            return FailSystem(platform::kErrorNotEnoughMemory);
        }
    }
    levelCount = levels;
    typeCount = types;
    beforeNameLength = CopyText(beforeName, before);
    afterNameLength = CopyText(afterName, after);
    RecomputeHeaderSize();
    dataSize = 2;
    dataCount = 0;
    firstFreeSlot = 0;
    memset(&footer, 0, sizeof footer);
    footer.versionMajor = 1;
    footer.footerSize = 7;
    isOpen = 1;
    return Succeed();
}

int Dictionary::CloseDic() {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    ReleaseAll();
    return Succeed();
}

uint16_t Dictionary::CreateData(const char* source, uint8_t level, uint8_t typeMask,
                                uint8_t condition, const char* target) {
    if (!isOpen) return static_cast<uint16_t>(Fail(ZEV_ERR_NOT_OPEN));
    if (firstFreeSlot == SLOTS_FULL) return static_cast<uint16_t>(Fail(ZEV_ERR_NO_FREE_SLOT));
    if (!source || !target || level == 0 || typeMask == 0)
        return static_cast<uint16_t>(Fail(ZEV_ERR_PARAMETER));

    DataRecord* record = static_cast<DataRecord*>(platform::AllocZeroed(sizeof(DataRecord)));
    if (!record) return static_cast<uint16_t>(FailSystem(platform::kErrorNotEnoughMemory));
    StoreRecord(record, source, level, typeMask, condition, target);
    uint16_t index = firstFreeSlot;
    entries[index] = record;
    ++dataCount;
    dataSize += RecordSize(record);
    AdvanceFirstFreeSlot();
    matchers.Invalidate();
    lastError = ZEV_ERR_NONE;
    return static_cast<uint16_t>(index + 1);
}

int Dictionary::UpdateData(uint16_t slot, const char* source, uint8_t level, uint8_t typeMask,
                           uint8_t condition, const char* target) {
    if (slot < 1 || slot > ZEV_MAX_DATA) return Fail(ZEV_ERR_INDEX_RANGE);
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (typeMask > LargestTypeMask(typeCount) || !source || !target || level == 0 ||
        level > levelCount)
        return Fail(ZEV_ERR_PARAMETER);
    DataRecord* record = entries[slot - 1];
    if (!record) return Fail(ZEV_ERR_NO_DATA_AT_INDEX);
    dataSize -= RecordSize(record);
    StoreRecord(record, source, level, typeMask, condition, target);
    dataSize += RecordSize(record);
    matchers.Invalidate();
    return Succeed();
}

int Dictionary::RemoveData(uint16_t slot) {
    if (slot < 1 || slot > ZEV_MAX_DATA) return Fail(ZEV_ERR_INDEX_RANGE);
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    uint16_t index = static_cast<uint16_t>(slot - 1);
    DataRecord* record = entries[index];
    if (!record) return Fail(ZEV_ERR_NO_DATA_AT_INDEX);
    uint32_t size = RecordSize(record);
    if (!platform::Free(record)) return Fail(ZEV_ERR_FREE_FAILED);
    entries[index] = nullptr;
    --dataCount;
    dataSize -= size;
    if (firstFreeSlot == SLOTS_FULL || index < firstFreeSlot) firstFreeSlot = index;
    matchers.Invalidate();
    return Succeed();
}

// The slot test shared by zevIsDataEnabled and zevSwapPointer.
int Dictionary::CheckSlot(uint16_t slot) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (slot < 1 || slot > ZEV_MAX_DATA) return Fail(ZEV_ERR_INDEX_RANGE);
    if (!entries[slot - 1]) return Fail(ZEV_ERR_PARAMETER);
    return Succeed();
}

int Dictionary::IsDataEnabled(uint16_t slot) { return CheckSlot(slot); }

uint8_t Dictionary::GetLevelCount() {
    lastError = ZEV_ERR_NONE;
    return levelCount;
}

uint8_t Dictionary::GetTypeCount() {
    lastError = ZEV_ERR_NONE;
    return typeCount;
}

uint16_t Dictionary::GetDataCount() {
    lastError = ZEV_ERR_NONE;
    return dataCount;
}

int Dictionary::GetLevelName(uint8_t level, char* buffer) {
    if (level < 1 || level > levelCount) return Fail(ZEV_ERR_INDEX_RANGE);
    if (!buffer) return Fail(ZEV_ERR_PARAMETER);
    CopyText(buffer, levelNames[level - 1]->text);
    return Succeed();
}

int Dictionary::GetTypeName(uint8_t type, char* buffer) {
    if (type < 1 || type > typeCount) return Fail(ZEV_ERR_INDEX_RANGE);
    if (!buffer) return Fail(ZEV_ERR_PARAMETER);
    CopyText(buffer, typeNames[type - 1]->text);
    return Succeed();
}

int Dictionary::SetLevelAndType(const char* levelName, uint8_t level, const char* typeName,
                                uint8_t type) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (levelName && (level < 1 || level > levelCount || ValidNameLength(levelName) == 0))
        return Fail(ZEV_ERR_PARAMETER);
    if (typeName && (type < 1 || type > typeCount || ValidNameLength(typeName) == 0))
        return Fail(ZEV_ERR_PARAMETER);
    // The header size is stored in 16 bits; a name that would overflow it is refused.
    if (HeaderPayloadSize(level, levelName, type, typeName) > 0xFFFF)
        return Fail(ZEV_ERR_PARAMETER);

    if (levelName) {
        NameString* name = levelNames[level - 1];
        memset(name->text, 0, sizeof name->text);
        name->length = CopyText(name->text, levelName);
    }
    if (typeName) {
        NameString* name = typeNames[type - 1];
        memset(name->text, 0, sizeof name->text);
        name->length = CopyText(name->text, typeName);
    }
    RecomputeHeaderSize();
    return Succeed();
}

int Dictionary::UpdateFooter(uint8_t major, uint8_t minor, uint8_t revision, const char* comment,
                             uint16_t year, const char* holder) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    footer.versionMajor = major;
    footer.versionMinor = minor;
    footer.versionRevision = revision;
    footer.copyrightYear = year;
    memset(footer.comment, 0, sizeof footer.comment);
    memset(footer.copyrightHolder, 0, sizeof footer.copyrightHolder);
    footer.commentLength = comment ? CopyText(footer.comment, comment) : 0;
    footer.holderLength = holder ? CopyText(footer.copyrightHolder, holder) : 0;
    footer.footerSize = static_cast<uint16_t>(7 + footer.commentLength + footer.holderLength);
    return Succeed();
}

int Dictionary::GetFooter(uint8_t* major, uint8_t* minor, uint8_t* revision, char* comment,
                          uint16_t* year, char* holder) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (major) *major = footer.versionMajor;
    if (minor) *minor = footer.versionMinor;
    if (revision) *revision = footer.versionRevision;
    if (comment) CopyText(comment, footer.comment);
    if (year) *year = footer.copyrightYear;
    if (holder) CopyText(holder, footer.copyrightHolder);
    return Succeed();
}

int Dictionary::GetBeforeName(char* buffer) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (!buffer) return Fail(ZEV_ERR_PARAMETER);
    CopyText(buffer, beforeName);
    return Succeed();
}

int Dictionary::GetAfterName(char* buffer) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (!buffer) return Fail(ZEV_ERR_PARAMETER);
    CopyText(buffer, afterName);
    return Succeed();
}

int Dictionary::GetData(uint16_t slot, char* source, uint8_t* level, uint8_t* typeMask,
                        uint8_t* condition, char* target) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (slot < 1 || slot > ZEV_MAX_DATA) return Fail(ZEV_ERR_INDEX_RANGE);
    const DataRecord* record = entries[slot - 1];
    if (!record) return Fail(ZEV_ERR_NO_DATA_AT_INDEX);
    if (source) CopyText(source, record->source);
    if (level) *level = record->level;
    if (typeMask) *typeMask = record->typeMask;
    if (condition) *condition = record->condition;
    if (target) CopyText(target, record->target);
    return Succeed();
}
