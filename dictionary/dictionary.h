// The in-memory dictionary: one library-wide object that the exported
// functions delegate to.
#ifndef ZEV_DICTIONARY_H
#define ZEV_DICTIONARY_H

#include <stddef.h>
#include <stdint.h>

#include "matcher.h"
#include "zev.h"

// Index value of firstFreeSlot when every slot is taken.
const uint16_t SLOTS_FULL = 0x7FFF;
const int kMaxNames = 255;

// A level or type name; allocated zero-filled, one per level and type.
struct NameString {
    uint8_t length;
    char text[ZEV_TEXT_BUFFER];
};

// One entry; allocated zero-filled, one per occupied slot.
struct DataRecord {
    uint8_t level;
    uint8_t typeMask;
    uint8_t condition;  // 1 = AND, anything else = OR
    uint8_t sourceLength;
    char source[ZEV_TEXT_BUFFER];
    uint8_t targetLength;
    char target[ZEV_TEXT_BUFFER];
};

// Version, comment and copyright, stored after the entries.
struct Footer {
    uint16_t footerSize;
    uint8_t versionMajor;
    uint8_t versionMinor;
    uint8_t versionRevision;
    uint8_t commentLength;
    char comment[ZEV_TEXT_BUFFER];
    uint16_t copyrightYear;
    uint8_t holderLength;
    char copyrightHolder[ZEV_TEXT_BUFFER];
};

class FileReader;
class FileWriter;

class Dictionary {
public:
    Dictionary();
    virtual ~Dictionary();

    // Store (dictionary.cpp).
    int CreateDic(const char* beforeName, const char* afterName, uint8_t levels, uint8_t types);
    int CloseDic();
    uint16_t CreateData(const char* source, uint8_t level, uint8_t typeMask, uint8_t condition,
                        const char* target);
    int UpdateData(uint16_t slot, const char* source, uint8_t level, uint8_t typeMask,
                   uint8_t condition, const char* target);
    int RemoveData(uint16_t slot);
    int IsOpen() const { return isOpen; }
    int IsDataEnabled(uint16_t slot);
    uint8_t GetLevelCount();
    uint8_t GetTypeCount();
    uint16_t GetDataCount();
    int GetLevelName(uint8_t level, char* buffer);
    int GetTypeName(uint8_t type, char* buffer);
    int SetLevelAndType(const char* levelName, uint8_t level, const char* typeName, uint8_t type);
    int UpdateFooter(uint8_t major, uint8_t minor, uint8_t revision, const char* comment,
                     uint16_t year, const char* holder);
    int GetFooter(uint8_t* major, uint8_t* minor, uint8_t* revision, char* comment, uint16_t* year,
                  char* holder);
    int GetBeforeName(char* buffer);
    int GetAfterName(char* buffer);
    int GetData(uint16_t slot, char* source, uint8_t* level, uint8_t* typeMask, uint8_t* condition,
                char* target);
    uint16_t GetLastErrorCode() const { return lastError; }
    uint16_t GetErrorText(uint16_t code, char* message, char* systemText) const;

    // File format (dicfile.cpp).
    int OpenDic(const char* path);
    int SaveDic(const char* path);
    int IsZevFormat(const char* path);

    // Level and type selection (setup.cpp).
    int SetupDic(void* ownerWindow, uint8_t* level, uint8_t* typeMask);

    // Conversion engine (convert.cpp).
    int Convert(const char* input, char* output, uint32_t outputLimit, uint8_t level,
                uint8_t typeMask, uint32_t flags);
    // The same conversion without the matcher: its fallback and yardstick.
    int ConvertWithPlainScan(const char* input, char* output, uint32_t outputLimit, uint8_t level,
                             uint8_t typeMask, uint32_t flags);
    int SwapPointer(uint16_t slot1, uint16_t slot2);
    // Fills `slots` (room for ZEV_MAX_DATA) with the 0-based slots of the
    // entries a conversion with this selection tries, in slot order;
    // returns their count.
    int SelectedSlots(uint8_t level, uint8_t typeMask, bool backward, uint16_t* slots) {
        return BuildCandidates(level, typeMask, backward, nullptr, slots);
    }

    // The largest type mask a dictionary with `typeCount` types can express.
    static uint8_t LargestTypeMask(uint8_t typeCount);

private:
    int Fail(uint16_t code);
    int FailSystem(uint32_t systemCode);
    int Succeed();
    void ReleaseAll();
    void ResetFields();
    void AdvanceFirstFreeSlot();
    void RecomputeHeaderSize();
    uint32_t HeaderPayloadSize(int level, const char* levelName, int type,
                               const char* typeName) const;
    int CheckSlot(uint16_t slot);
    int ReadBody(FileReader& reader);
    void WriteBody(FileWriter& writer) const;
    uint32_t WriteFileAt(const char* target) const;
    int BuildCandidates(uint8_t level, uint8_t typeMask, bool backward,
                        const DataRecord** candidates, uint16_t* slots) const;
    const Matcher* MatcherFor(uint8_t level, uint8_t typeMask, bool backward);

    // The fields below mirror the dictionary file, in its order.
    uint16_t headerSize;
    uint8_t beforeNameLength;
    char beforeName[ZEV_TEXT_BUFFER];
    uint8_t afterNameLength;
    char afterName[ZEV_TEXT_BUFFER];
    uint8_t levelCount;
    NameString* levelNames[kMaxNames];
    uint8_t typeCount;
    NameString* typeNames[kMaxNames];
    uint32_t dataSize;
    uint16_t dataCount;
    DataRecord* entries[ZEV_MAX_DATA];
    Footer footer;
    int32_t isOpen;
    uint16_t firstFreeSlot;
    uint16_t lastError;
    uint32_t lastWin32Error;

    // Built on demand by the conversion; any change to the entries drops it.
    MatcherCache matchers;
};

// Copies a NUL-terminated text of at most ZEV_MAX_TEXT bytes into a
// ZEV_TEXT_BUFFER-byte buffer; returns the copied length.
uint8_t CopyText(char* destination, const char* source);

#endif
