// The Help command's choice between the WinHelp file, the HTML guide and a message.
#include "helpguide.h"

#include <shellapi.h>

#include <vector>

namespace {

DWORD OpenWithShell(HWND owner, const char* path) {
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", path, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return 0;
    // The shell's own codes below 32 are system error codes, except these.
    switch (result) {
        case 0:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_NOASSOC:
        case SE_ERR_ASSOCINCOMPLETE:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
    }
    return static_cast<DWORD>(result);
}

DocumentOpener documentOpener = OpenWithShell;

bool FileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A bare name is looked for as the system looks for files: the program's folder, the
// current folder, the system folders and the path.
bool HelpFilePresent(const char* helpFile) {
    char found[MAX_PATH];
    DWORD length = SearchPathA(nullptr, helpFile, nullptr, MAX_PATH, found, nullptr);
    if (length == 0) return false;
    if (length >= MAX_PATH) return true;
    return FileExists(found);
}

// The executable's folder with its closing backslash, stepping over double-byte
// characters so that a trail byte 0x5C is not taken for one.
std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH);
    DWORD length;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    size_t folderLength = 0;
    for (const char* p = path.data(); *p; p = CharNextA(p))
        if (*p == '\\') folderLength = p + 1 - path.data();
    return std::string(path.data(), folderLength);
}

std::string SystemText(DWORD error) {
    char* text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = text ? text : "エラー " + std::to_string(error);
    LocalFree(text);
    return result;
}

void Warn(HWND owner, const char* caption, const std::string& text) {
    MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void SetDocumentOpener(DocumentOpener opener) { documentOpener = opener ? opener : OpenWithShell; }

HelpSource ChooseHelpSource(const HelpDocuments& documents, std::string* guidePath) {
    *guidePath = ProgramFolder() + documents.guideName;
    if (HelpFilePresent(documents.helpFile)) return HelpSource::kHelpFile;
    return FileExists(guidePath->c_str()) ? HelpSource::kGuide : HelpSource::kNone;
}

HelpSource ShowHelpFallback(HWND owner, const HelpDocuments& documents) {
    std::string guide;
    HelpSource source = ChooseHelpSource(documents, &guide);
    if (source == HelpSource::kNone) {
        Warn(owner, documents.caption,
             std::string("ヘルプを表示できません。\nヘルプファイル「") + documents.helpFile +
                 "」も、ユーザーガイド「" + guide + "」も見つかりません。");
    } else if (source == HelpSource::kGuide) {
        if (DWORD error = documentOpener(owner, guide.c_str()))
            Warn(owner, documents.caption,
                 "ユーザーガイド「" + guide + "」を開けませんでした。\n" + SystemText(error));
    }
    return source;
}
