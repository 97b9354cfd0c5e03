// The exported functions: thin wrappers around the library-wide dictionary.
#include "dictionary.h"
#include "zev.h"

// The one dictionary of this process; built closed when the library loads
// and released, unsaved, when it unloads.
Dictionary theDictionary;

extern "C" {

int ZEVAPI zevCreateDic(const char* beforeName, const char* afterName, uint8_t levelCount,
                        uint8_t typeCount) {
    return theDictionary.CreateDic(beforeName, afterName, levelCount, typeCount);
}

int ZEVAPI zevOpenDic(const char* path) { return theDictionary.OpenDic(path); }

int ZEVAPI zevCloseDic(void) { return theDictionary.CloseDic(); }

int ZEVAPI zevSaveDic(const char* path) { return theDictionary.SaveDic(path); }

uint16_t ZEVAPI zevCreateData(const char* source, uint8_t level, uint8_t typeMask,
                              uint8_t condition, const char* target) {
    return theDictionary.CreateData(source, level, typeMask, condition, target);
}

int ZEVAPI zevUpdateData(uint16_t slot, const char* source, uint8_t level, uint8_t typeMask,
                         uint8_t condition, const char* target) {
    return theDictionary.UpdateData(slot, source, level, typeMask, condition, target);
}

int ZEVAPI zevRemoveData(uint16_t slot) { return theDictionary.RemoveData(slot); }

int ZEVAPI zevIsOpen(void) { return theDictionary.IsOpen(); }

int ZEVAPI zevIsZevFormat(const char* path) { return theDictionary.IsZevFormat(path); }

int ZEVAPI zevIsDataEnabled(uint16_t slot) { return theDictionary.IsDataEnabled(slot); }

uint8_t ZEVAPI zevGetLevelCount(void) { return theDictionary.GetLevelCount(); }

uint8_t ZEVAPI zevGetTypeCount(void) { return theDictionary.GetTypeCount(); }

int ZEVAPI zevGetLevelName(uint8_t level, char* buffer) {
    return theDictionary.GetLevelName(level, buffer);
}

int ZEVAPI zevGetTypeName(uint8_t type, char* buffer) {
    return theDictionary.GetTypeName(type, buffer);
}

int ZEVAPI zevSetLevelAndType(const char* levelName, uint8_t level, const char* typeName,
                              uint8_t type) {
    return theDictionary.SetLevelAndType(levelName, level, typeName, type);
}

int ZEVAPI zevUpdateFooter(uint8_t versionMajor, uint8_t versionMinor, uint8_t versionRevision,
                           const char* comment, uint16_t copyrightYear,
                           const char* copyrightHolder) {
    return theDictionary.UpdateFooter(versionMajor, versionMinor, versionRevision, comment,
                                      copyrightYear, copyrightHolder);
}

int ZEVAPI zevGetFooter(uint8_t* versionMajor, uint8_t* versionMinor, uint8_t* versionRevision,
                        char* comment, uint16_t* copyrightYear, char* copyrightHolder) {
    return theDictionary.GetFooter(versionMajor, versionMinor, versionRevision, comment,
                                   copyrightYear, copyrightHolder);
}

int ZEVAPI zevGetBeforeName(char* buffer) { return theDictionary.GetBeforeName(buffer); }

int ZEVAPI zevGetAfterName(char* buffer) { return theDictionary.GetAfterName(buffer); }

uint16_t ZEVAPI zevGetDataCount(void) { return theDictionary.GetDataCount(); }

int ZEVAPI zevGetData(uint16_t slot, char* source, uint8_t* level, uint8_t* typeMask,
                      uint8_t* condition, char* target) {
    return theDictionary.GetData(slot, source, level, typeMask, condition, target);
}

uint16_t ZEVAPI zevGetZevLastError(void) { return theDictionary.GetLastErrorCode(); }

uint16_t ZEVAPI zevGetZevErrorText(uint16_t code, char* message, char* systemText) {
    return theDictionary.GetErrorText(code, message, systemText);
}

int ZEVAPI zevConvert(const char* input, char* output, uint32_t outputLimit, uint8_t level,
                      uint8_t typeMask, uint32_t flags) {
    return theDictionary.Convert(input, output, outputLimit, level, typeMask, flags);
}

int ZEVAPI zevSwapPointer(uint16_t slot1, uint16_t slot2) {
    return theDictionary.SwapPointer(slot1, slot2);
}

}  // extern "C"
