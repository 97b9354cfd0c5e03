// The converter's program-wide state and the functions its files share.
#ifndef MARDELKO_CONVERTER_H
#define MARDELKO_CONVERTER_H

#include <windows.h>

// Longest dictionary path the program keeps, with its terminator.
const int kDictionaryPathSize = 1024;

struct ConverterState {
    char dictionaryPath[kDictionaryPathSize];  // last dictionary opened successfully
    BYTE level;                                // 0 until a dictionary is opened
    BYTE typeMask;
    bool helpShown;  // the help viewer was started and must be told to quit
};

extern ConverterState converterState;

// Main window (mainwindow.cpp).
HWND CreateMainWindow(HINSTANCE instance);
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);
void DispatchCommand(HWND mainWindow, int command);
void ShowDictionaryInMenusAndTitle(HWND mainWindow, const char* path);

// Commands (one file per family).
void OpenDictionary(HWND mainWindow);
void SetupDictionary(HWND mainWindow);
void RefreshDictionary(HWND mainWindow);
void OpenText(HWND mainWindow);
void SaveConvertedText(HWND mainWindow);
void ConvertText(HWND mainWindow, UINT direction);
void ShowAbout(HWND mainWindow);
void ShowHelp(HWND mainWindow);
void CloseHelp(HWND mainWindow);

// Message boxes, all with the caption "MARDELKO" (messages.cpp).
void ShowWarning(HWND owner, const char* text);
void ShowError(HWND owner, const char* text);
bool AskOkCancel(HWND owner, const char* text);
// The error box for the dictionary library's last failure, after `intro`.
void ShowLibraryError(HWND owner, const char* intro);

#endif
