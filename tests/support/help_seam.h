// The Help command under test: the guide it would open is recorded instead of handed to
// the shell, and the help file or guide the test needs is put in place and removed again.
#ifndef ZEV_TESTS_HELP_SEAM_H
#define ZEV_TESTS_HELP_SEAM_H

#include <windows.h>

#include <string>
#include <vector>

#include "helpguide.h"

class HelpSeam {
public:
    // Every opening returns `result` (0: opened).
    explicit HelpSeam(DWORD result = 0) {
        current = this;
        openResult = result;
        SetDocumentOpener(Record);
    }
    ~HelpSeam() {
        SetDocumentOpener(nullptr);
        current = nullptr;
        for (const std::string& path : placed) DeleteFileA(path.c_str());
    }
    HelpSeam(const HelpSeam&) = delete;
    HelpSeam& operator=(const HelpSeam&) = delete;

    // An empty file at `path` for the test's duration.
    void Place(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        placed.push_back(path);
    }
    // Where the program looks for its guide: beside the running executable.
    static std::string BesideProgram(const char* name) {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        return folder.substr(0, folder.rfind('\\') + 1) + name;
    }

    std::vector<std::string> opened;

private:
    static DWORD Record(HWND, const char* path) {
        current->opened.push_back(path);
        return current->openResult;
    }
    static inline HelpSeam* current = nullptr;
    DWORD openResult = 0;
    std::vector<std::string> placed;
};

// The Help command's outcomes where the help file is missing.
struct HelpCase {
    std::string name;
    bool guidePresent;
    DWORD openResult;     // of the recorded opening
    std::string message;  // how the box text starts, or empty for no box
};

inline std::vector<HelpCase> HelpFallbackCases(const std::string& helpFile,
                                               const std::string& guide) {
    return {
        {"guide opens", true, 0, ""},
        {"guide cannot be opened", true, ERROR_NO_ASSOCIATION,
         "ユーザーガイド「" + guide + "」を開けませんでした。\n"},
        {"neither file", false, 0,
         "ヘルプを表示できません。\nヘルプファイル「" + helpFile + "」も、ユーザーガイド「" +
             guide + "」も見つかりません。"},
    };
}

#endif
