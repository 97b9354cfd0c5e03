// Zev: the dialect dictionary library.
//
// One dictionary per process, addressed through these 26 functions. Every
// text is a NUL-terminated code-page-932 byte string; every text buffer a
// caller passes in holds 256 bytes and receives at most 255 bytes of text.
// Functions that fail leave a code in the library's last error
// (zevGetZevLastError); zevGetZevErrorText turns it into a message.
#ifndef ZEV_H
#define ZEV_H

#include <stdint.h>

#ifdef _WIN32
#define ZEVAPI __stdcall
#define ZEV_EXPORT
#else
#define ZEVAPI
#if defined(ZEV_BUILDING)
#define ZEV_EXPORT __attribute__((visibility("default")))
#else
#define ZEV_EXPORT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    ZEV_ERR_NONE = 0,
    ZEV_ERR_WIN32 = 1,
    ZEV_ERR_NOT_OPEN = 2,
    ZEV_ERR_ALREADY_OPEN = 3,
    ZEV_ERR_DATA_EMPTY = 4,
    ZEV_ERR_NO_FREE_SLOT = 5,
    ZEV_ERR_PARAMETER = 6,
    ZEV_ERR_INDEX_RANGE = 7,
    ZEV_ERR_SETUP_CANCELLED = 8,
    ZEV_ERR_NO_DATA_AT_INDEX = 9,
    ZEV_ERR_FREE_FAILED = 10,
    ZEV_ERR_FORMAT = 11
};

// Number of entry slots; slot numbers run from 1 to ZEV_MAX_DATA.
#define ZEV_MAX_DATA 16384
// Longest stored text; caller buffers hold ZEV_TEXT_BUFFER bytes.
#define ZEV_MAX_TEXT 255
#define ZEV_TEXT_BUFFER 256

// zevConvert option bits.
#define ZEV_CONVERT_BACKWARD 0x1u  // seek target strings, write source strings
#define ZEV_CONVERT_FAIL_ON_OVERFLOW 0x2u

/* ordinal  1 */ ZEV_EXPORT int ZEVAPI zevCreateDic(const char* beforeName, const char* afterName,
                                                    uint8_t levelCount, uint8_t typeCount);
/* ordinal  2 */ ZEV_EXPORT int ZEVAPI zevOpenDic(const char* path);
/* ordinal  3 */ ZEV_EXPORT int ZEVAPI zevCloseDic(void);
/* ordinal  4 */ ZEV_EXPORT int ZEVAPI zevSaveDic(const char* path);
/* ordinal  5 */ ZEV_EXPORT uint16_t ZEVAPI zevCreateData(const char* source, uint8_t level,
                                                          uint8_t typeMask, uint8_t condition,
                                                          const char* target);
/* ordinal  6 */ ZEV_EXPORT int ZEVAPI zevUpdateData(uint16_t slot, const char* source,
                                                     uint8_t level, uint8_t typeMask,
                                                     uint8_t condition, const char* target);
/* ordinal  7 */ ZEV_EXPORT int ZEVAPI zevRemoveData(uint16_t slot);
/* ordinal  8 */ ZEV_EXPORT int ZEVAPI zevIsOpen(void);
/* ordinal  9 */ ZEV_EXPORT int ZEVAPI zevIsZevFormat(const char* path);
/* ordinal 10 */ ZEV_EXPORT int ZEVAPI zevIsDataEnabled(uint16_t slot);
/* ordinal 11 */ ZEV_EXPORT int ZEVAPI zevSetupDic(void* ownerWindow, uint8_t* level,
                                                   uint8_t* typeMask);
/* ordinal 12 */ ZEV_EXPORT uint8_t ZEVAPI zevGetLevelCount(void);
/* ordinal 13 */ ZEV_EXPORT uint8_t ZEVAPI zevGetTypeCount(void);
/* ordinal 14 */ ZEV_EXPORT int ZEVAPI zevGetLevelName(uint8_t level, char* buffer);
/* ordinal 15 */ ZEV_EXPORT int ZEVAPI zevGetTypeName(uint8_t type, char* buffer);
/* ordinal 16 */ ZEV_EXPORT int ZEVAPI zevSetLevelAndType(const char* levelName, uint8_t level,
                                                          const char* typeName, uint8_t type);
/* ordinal 17 */ ZEV_EXPORT int ZEVAPI zevUpdateFooter(uint8_t versionMajor, uint8_t versionMinor,
                                                       uint8_t versionRevision, const char* comment,
                                                       uint16_t copyrightYear,
                                                       const char* copyrightHolder);
/* ordinal 18 */ ZEV_EXPORT int ZEVAPI zevGetFooter(uint8_t* versionMajor, uint8_t* versionMinor,
                                                    uint8_t* versionRevision, char* comment,
                                                    uint16_t* copyrightYear, char* copyrightHolder);
/* ordinal 19 */ ZEV_EXPORT int ZEVAPI zevGetBeforeName(char* buffer);
/* ordinal 20 */ ZEV_EXPORT int ZEVAPI zevGetAfterName(char* buffer);
/* ordinal 21 */ ZEV_EXPORT uint16_t ZEVAPI zevGetDataCount(void);
/* ordinal 22 */ ZEV_EXPORT int ZEVAPI zevGetData(uint16_t slot, char* source, uint8_t* level,
                                                  uint8_t* typeMask, uint8_t* condition,
                                                  char* target);
/* ordinal 23 */ ZEV_EXPORT uint16_t ZEVAPI zevGetZevLastError(void);
/* ordinal 24 */ ZEV_EXPORT uint16_t ZEVAPI zevGetZevErrorText(uint16_t code, char* message,
                                                               char* systemText);
// Once a conversion with a given level, type mask and direction has
// returned, further ones with the same three only read the dictionary: they
// may run on several threads at once (the zev tool's -j does), as long as no
// other call is made meanwhile: a conversion that passes its checks leaves
// the last error as it was.
/* ordinal 25 */ ZEV_EXPORT int ZEVAPI zevConvert(const char* input, char* output,
                                                  uint32_t outputLimit, uint8_t level,
                                                  uint8_t typeMask, uint32_t flags);
/* ordinal 26 */ ZEV_EXPORT int ZEVAPI zevSwapPointer(uint16_t slot1, uint16_t slot2);

#ifdef __cplusplus
}
#endif

#endif
