// The dictionary file: writer, reader and structural test.
//
// Layout: "MARDELKO", then "hdr" + 16-bit size + names, "dat" + 32-bit size +
// 16-bit count + records, "ftr" + 16-bit size + version, comment, year and
// holder. Integers are little-endian; texts are a length byte and the bytes.
#include <string.h>

#include <new>

#include "dictionary.h"
#include "fileio.h"
#include "platform.h"

static const char kMagic[] = "MARDELKO";
static const char kHeaderTag[] = "hdr";
static const char kDataTag[] = "dat";
static const char kFooterTag[] = "ftr";
// The smallest file the structural test accepts: one-byte names, one named
// level, one named type, no entries, empty comment and holder.
static const uint64_t kSmallestFile = 44;

enum ReadOutcome { kReadOk, kReadShort, kReadTooMany, kReadNoMemory };

static bool ReadText(FileReader& reader, uint8_t* length, char* text) {
    return reader.Byte(length) && reader.Bytes(text, *length);
}

static NameString* ReadName(FileReader& reader, bool* ok) {
    NameString* name = static_cast<NameString*>(platform::AllocZeroed(sizeof(NameString)));
    if (name) *ok = ReadText(reader, &name->length, name->text);
    return name;
}

// Reads everything after the magic in file order. Any outcome but kReadOk
// leaves allocations behind for the caller to release.
int Dictionary::ReadBody(FileReader& reader) {
    bool ok = reader.Skip(3) && reader.Word(&headerSize) &&
              ReadText(reader, &beforeNameLength, beforeName) &&
              ReadText(reader, &afterNameLength, afterName) && reader.Byte(&levelCount);
    for (int i = 0; ok && i < levelCount; ++i) {
        levelNames[i] = ReadName(reader, &ok);
        if (!levelNames[i]) return kReadNoMemory;
    }
    ok = ok && reader.Byte(&typeCount);
    for (int i = 0; ok && i < typeCount; ++i) {
        typeNames[i] = ReadName(reader, &ok);
        if (!typeNames[i]) return kReadNoMemory;
    }
    ok = ok && reader.Skip(3) && reader.DoubleWord(&dataSize) && reader.Word(&dataCount);
    if (!ok) return kReadShort;
    if (dataCount > ZEV_MAX_DATA) return kReadTooMany;
    for (int i = 0; ok && i < dataCount; ++i) {
        DataRecord* record = static_cast<DataRecord*>(platform::AllocZeroed(sizeof(DataRecord)));
        if (!record) return kReadNoMemory;
        entries[i] = record;
        ok = reader.Byte(&record->level) && reader.Byte(&record->typeMask) &&
             reader.Byte(&record->condition) &&
             ReadText(reader, &record->sourceLength, record->source) &&
             ReadText(reader, &record->targetLength, record->target);
    }
    ok = ok && reader.Skip(3) && reader.Word(&footer.footerSize) &&
         reader.Byte(&footer.versionMajor) && reader.Byte(&footer.versionMinor) &&
         reader.Byte(&footer.versionRevision) &&
         ReadText(reader, &footer.commentLength, footer.comment) &&
         reader.Word(&footer.copyrightYear) &&
         ReadText(reader, &footer.holderLength, footer.copyrightHolder);
    return ok ? kReadOk : kReadShort;
}

int Dictionary::OpenDic(const char* path) {
    if (isOpen) return Fail(ZEV_ERR_ALREADY_OPEN);
    if (!path) return Fail(ZEV_ERR_PARAMETER);
    platform::File file = platform::OpenForRead(path);
    if (!file.valid()) return FailSystem(platform::LastError());

    // The reader's block buffer is too large for the stack.
    void* memory = platform::AllocZeroed(sizeof(FileReader));
    int outcome = kReadNoMemory;
    bool readFailed = false;
    uint32_t readError = 0;
    if (memory) {
        FileReader* reader = new (memory) FileReader(file);
        outcome = reader->Skip(8) ? ReadBody(*reader) : kReadShort;
        readFailed = reader->readFailed();
        readError = reader->systemError();
        platform::Free(reader);
    }
    platform::Close(file);

    if (outcome != kReadOk) {
        ReleaseAll();
        if (outcome == kReadNoMemory) return FailSystem(platform::kErrorNotEnoughMemory);
        if (readFailed) return FailSystem(readError);
        return Fail(ZEV_ERR_FORMAT);
    }
    isOpen = 1;
    firstFreeSlot = 0;
    AdvanceFirstFreeSlot();
    return Succeed();
}

void Dictionary::WriteBody(FileWriter& writer) const {
    writer.Bytes(kMagic, 8);
    writer.Bytes(kHeaderTag, 3);
    writer.Word(headerSize);
    writer.Text(beforeName, static_cast<uint8_t>(strlen(beforeName)));
    writer.Text(afterName, static_cast<uint8_t>(strlen(afterName)));
    writer.Byte(levelCount);
    for (int i = 0; i < levelCount; ++i)
        writer.Text(levelNames[i]->text, static_cast<uint8_t>(strlen(levelNames[i]->text)));
    writer.Byte(typeCount);
    for (int i = 0; i < typeCount; ++i)
        writer.Text(typeNames[i]->text, static_cast<uint8_t>(strlen(typeNames[i]->text)));

    writer.Bytes(kDataTag, 3);
    writer.DoubleWord(dataSize);
    writer.Word(dataCount);
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        const DataRecord* record = entries[i];
        if (!record) continue;
        writer.Byte(record->level);
        writer.Byte(record->typeMask);
        writer.Byte(record->condition);
        writer.Text(record->source, record->sourceLength);
        writer.Text(record->target, record->targetLength);
    }

    writer.Bytes(kFooterTag, 3);
    writer.Word(footer.footerSize);
    writer.Byte(footer.versionMajor);
    writer.Byte(footer.versionMinor);
    writer.Byte(footer.versionRevision);
    writer.Text(footer.comment, footer.commentLength);
    writer.Word(footer.copyrightYear);
    writer.Text(footer.copyrightHolder, footer.holderLength);
}

// The old file stays untouched until the new one is complete: the
// dictionary is written to a temporary file beside it, which then replaces
// it in one step. Returns 0, or the system's code for what failed.
uint32_t Dictionary::WriteFileAt(const char* target) const {
    if (platform::IsReadOnlyFile(target)) return platform::kErrorAccessDenied;
    size_t tempSize = strlen(target) + 32;
    char* temp = static_cast<char*>(platform::AllocZeroed(tempSize));
    FileWriter* writer = static_cast<FileWriter*>(platform::AllocZeroed(sizeof(FileWriter)));
    if (!temp || !writer) {
        platform::Free(temp);
        platform::Free(writer);
        return platform::kErrorNotEnoughMemory;
    }

    uint32_t error = 0;
    platform::File file = platform::CreateTemporaryBeside(target, temp, tempSize);
    if (!file.valid()) {
        error = platform::LastError();
    } else {
        new (writer) FileWriter(file);
        WriteBody(*writer);
        if (!writer->Finish())
            error = writer->systemError();
        else if (!platform::Flush(file))
            error = platform::LastError();
        platform::Close(file);
        if (error == 0 && !platform::Replace(temp, target)) error = platform::LastError();
        if (error != 0) platform::Remove(temp);
    }
    platform::Free(writer);
    platform::Free(temp);
    return error;
}

int Dictionary::SaveDic(const char* path) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (!path) return Fail(ZEV_ERR_PARAMETER);
    // Saving through a link replaces the file it points to, not the link.
    char* target = platform::ResolveSaveTarget(path);
    if (!target) return FailSystem(platform::LastError());
    uint32_t error = WriteFileAt(target);
    platform::Free(target);
    if (error != 0) return FailSystem(error);
    return Succeed();
}

// Reads `size` bytes into a zeroed buffer of size + 1 and compares it as a
// string; a short read leaves zeros that do not match.
static bool ReadMatches(platform::File file, const char* expected, uint32_t size) {
    char buffer[16] = {0};
    uint32_t got = 0;
    platform::Read(file, buffer, size, &got);
    return strcmp(buffer, expected) == 0;
}

static uint32_t ReadNumber(platform::File file, uint32_t size) {
    uint8_t bytes[4] = {0};
    uint32_t got = 0;
    platform::Read(file, bytes, size, &got);
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

int Dictionary::IsZevFormat(const char* path) {
    if (!path) return Fail(ZEV_ERR_PARAMETER);
    platform::File file = platform::OpenForRead(path);
    if (!file.valid()) return FailSystem(platform::LastError());
    uint64_t size = 0;
    if (!platform::GetSize(file, &size)) {
        uint32_t error = platform::LastError();
        platform::Close(file);
        return FailSystem(error);
    }
    bool good = size >= kSmallestFile;
    if (good) {
        good = ReadMatches(file, kMagic, 8);
        good = ReadMatches(file, kHeaderTag, 3) && good;
        good = platform::Skip(file, ReadNumber(file, 2)) && good;
        good = ReadMatches(file, kDataTag, 3) && good;
        good = platform::Skip(file, ReadNumber(file, 4)) && good;
        good = ReadMatches(file, kFooterTag, 3) && good;
    }
    platform::Close(file);
    return good ? Succeed() : Fail(ZEV_ERR_FORMAT);
}
