// Hobu: general functions shared by the converter and the editor.
//
// File open and save dialogs that take a one-line "|"-separated filter, file
// checks, a read-only switch, window placement, an always-on-top switch and
// the clamping of a number. Every text is a NUL-terminated code-page-932 byte
// string. The functions report only through their results.
#ifndef HOBU_H
#define HOBU_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define HOBUAPI __stdcall

// Size of the file-name buffer of the dialogs; a result buffer must hold this.
#define HOBU_FILENAME_BUFFER 0x7FFF
// Size of the buffer that holds a converted filter (at most 1023 bytes of it).
#define HOBU_FILTER_BUFFER 1024

// GetDirectory selectors.
#define HOBU_DIR_WINDOWS 0
#define HOBU_DIR_SYSTEM 1
#define HOBU_DIR_TEMP 2
#define HOBU_DIR_CURRENT 3

// AlwaysToTop modes.
#define HOBU_TOPMOST_ON 0
#define HOBU_TOPMOST_OFF 1

// FileReadOnlySwitch modes.
#define HOBU_READONLY_SET 0
#define HOBU_READONLY_CLEAR 1
#define HOBU_READONLY_TOGGLE 2

// WindowPos modes.
#define HOBU_POS_CENTER 0
#define HOBU_POS_TOPLEFT 1
#define HOBU_POS_TOPRIGHT 2
#define HOBU_POS_BOTTOMLEFT 3
#define HOBU_POS_BOTTOMRIGHT 4

/* ordinal  4 */ int HOBUAPI CheckFile(const char* path);
/* ordinal  5 */ int HOBUAPI GetOpenFilename(HWND owner, const char* title,
                                             const char* initialDirectory,
                                             const char* initialFileName, const char* filter,
                                             int showReadOnly, int multiSelect, char* result);
/* ordinal  6 */ int HOBUAPI GetSaveFilename(HWND owner, const char* title,
                                             const char* initialDirectory,
                                             const char* initialFileName, const char* filter,
                                             char* result);
/* ordinal  8 */ int HOBUAPI GetDirectory(char* buffer, unsigned int size, unsigned int selector);
/* ordinal  9 */ int HOBUAPI AlwaysToTop(HWND window, int mode);
/* ordinal 12 */ double HOBUAPI CheckOverflow(double value, double lower, double upper);
/* ordinal 19 */ int HOBUAPI FileReadOnlySwitch(const char* path, unsigned int mode);
/* ordinal 20 */ int HOBUAPI CheckFileReadOnly(const char* path);
/* ordinal 27 */ int HOBUAPI WindowPos(HWND window, HWND reference, unsigned int mode);
/* ordinal 41 */ int HOBUAPI FileSize(const char* path, DWORD* size);

#ifdef __cplusplus
}
#endif

#endif
