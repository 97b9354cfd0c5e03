// The Help command of both programs. The WinHelp file is opened where it is present;
// without it (no release ships one, and current Windows has no viewer for it) the
// program's own HTML guide beside the executable opens in the system's browser, and
// where that is missing too a message box says so.
#ifndef ZEV_HELPGUIDE_H
#define ZEV_HELPGUIDE_H

#include <windows.h>

#include <string>

enum class HelpSource { kHelpFile, kGuide, kNone };

struct HelpDocuments {
    const char* helpFile;   // as WinHelp gets it; a name without folders is searched for
    const char* guideName;  // the guide's file name, beside the executable
    const char* caption;    // of the program's message boxes
};

// Opens a document as the shell does; 0 on success, else the system's error code.
using DocumentOpener = DWORD (*)(HWND owner, const char* path);
// Replaces the opener (tests record the path); nullptr puts the shell's back.
void SetDocumentOpener(DocumentOpener opener);

// Which document the Help command shows; `guidePath` receives the guide's full path.
HelpSource ChooseHelpSource(const HelpDocuments& documents, std::string* guidePath);

// Opens the guide, or says why there is no help, unless the help file is present:
// that one the caller opens with WinHelp. Returns the source chosen.
HelpSource ShowHelpFallback(HWND owner, const HelpDocuments& documents);

#endif
