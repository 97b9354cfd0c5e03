// The text export: the open dictionary as an aligned plain-text listing in code page 932,
// a header with names, counts, version, copyright and comment, then one line per entry.
#include <string.h>

#include <string>
#include <vector>

#include "editor.h"
#include "hobu.h"
#include "zev.h"

namespace {

const char kTextFilter[] = "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*||";
// Narrowest source and target columns: their labels are 12 bytes, plus a little room.
const int kMinimumWidth = 14;
// Every line fits in this (each text is at most 255 bytes).
const int kLineSize = 1024;
// The listing goes to the file in pieces of about this size.
const size_t kFlushSize = 64 * 1024;

// Lines into an open file, CR LF after each. The first failed write ends the writing and
// is remembered, so that an incomplete file is reported instead of passing as complete.
class Listing {
public:
    explicit Listing(HANDLE file) : file(file) {}

    void Line(const char* text) {
        pending.append(text);
        pending.append("\r\n");
        if (pending.size() >= kFlushSize) Flush();
    }

    // Writes what is pending, closes the file; true when every byte was written.
    bool Close() {
        Flush();
        if (!CloseHandle(file)) failed = true;
        return !failed;
    }

private:
    void Flush() {
        if (!failed && !pending.empty()) {
            DWORD written = 0;
            DWORD length = static_cast<DWORD>(pending.size());
            if (!WriteFile(file, pending.data(), length, &written, nullptr) || written != length)
                failed = true;
        }
        pending.clear();
    }

    HANDLE file;
    std::string pending;
    bool failed = false;
};

struct ColumnWidths {
    int source;
    int target;
};

// The longest source and target over all entries, each at least kMinimumWidth; false
// when there is no entry, or every source or every target is empty.
bool MeasureColumns(ColumnWidths* widths) {
    int longestSource = 0, longestTarget = 0;
    EntryRecord entry;
    for (int index = 1; index <= ZEV_MAX_DATA; ++index) {
        if (!ReadEntry(index, &entry)) continue;
        if (lstrlenA(entry.source) > longestSource) longestSource = lstrlenA(entry.source);
        if (lstrlenA(entry.target) > longestTarget) longestTarget = lstrlenA(entry.target);
    }
    if (longestSource == 0 || longestTarget == 0) return false;
    widths->source = longestSource > kMinimumWidth ? longestSource : kMinimumWidth;
    widths->target = longestTarget > kMinimumWidth ? longestTarget : kMinimumWidth;
    return true;
}

std::string Spaces(int count) { return std::string(count > 0 ? count : 0, ' '); }

void WriteNames(Listing& listing, int count, int(ZEVAPI* getName)(uint8_t, char*)) {
    for (int i = 1; i <= count; ++i) {
        char name[ZEV_TEXT_BUFFER] = {};
        getName(static_cast<uint8_t>(i), name);
        char line[kLineSize];
        wsprintfA(line, "%d：%s", i, name);
        listing.Line(line);
    }
}

void WriteHeader(Listing& listing, const ColumnWidths& widths, int typeCount) {
    char text[ZEV_TEXT_BUFFER] = {};
    char line[kLineSize];
    zevGetBeforeName(text);
    wsprintfA(line, "変換元方言名：%s", text);
    listing.Line(line);
    text[0] = '\0';
    zevGetAfterName(text);
    wsprintfA(line, "変換先方言名：%s", text);
    listing.Line(line);
    listing.Line("");

    int levelCount = zevGetLevelCount();
    wsprintfA(line, "最大レベル  ：%d", levelCount);
    listing.Line(line);
    wsprintfA(line, "タイプ数    ：%d", typeCount);
    listing.Line(line);
    listing.Line("");
    listing.Line("");
    listing.Line("【 レベル名 】");
    WriteNames(listing, levelCount, zevGetLevelName);
    listing.Line("");
    listing.Line("【 タイプ名 】");
    WriteNames(listing, typeCount, zevGetTypeName);
    listing.Line("");
    listing.Line("");

    uint8_t major = 0, minor = 0, revision = 0;
    uint16_t year = 0;
    char comment[ZEV_TEXT_BUFFER] = {};
    char holder[ZEV_TEXT_BUFFER] = {};
    zevGetFooter(&major, &minor, &revision, comment, &year, holder);
    wsprintfA(line, "バージョン：%d.%d.%d", major, minor, revision);
    listing.Line(line);
    if (holder[0] && year != 0) {
        wsprintfA(line, "著作権情報：Copyright(C) %d %s", year, holder);
        listing.Line(line);
    }
    if (comment[0]) {
        wsprintfA(line, "コメント　：%s", comment);
        listing.Line(line);
    }
    listing.Line("");
    listing.Line("");

    // Each label is 12 bytes; its padding fills the rest of its column.
    wsprintfA(line, "No     変換元文字列%s  変換先文字列%s  レベル  タイプ<12345678>  条件",
              Spaces(widths.source - 12).c_str(), Spaces(widths.target - 12).c_str());
    listing.Line(line);
    listing.Line(std::string(lstrlenA(line), '-').c_str());
}

// Eight characters: "o" for a type the entry has, "." for one it lacks, "-" beyond the
// dictionary's types.
void TypeText(BYTE typeMask, int typeCount, char* text) {
    for (int k = 1; k <= 8; ++k)
        text[k - 1] = k > typeCount ? '-' : ((typeMask >> (k - 1)) & 1) ? 'o' : '.';
    text[8] = '\0';
}

void WriteEntries(Listing& listing, const ColumnWidths& widths, int typeCount) {
    uint16_t number = 0;  // numbers the exported entries, whatever their slots
    EntryRecord entry;
    for (int index = 1; index <= ZEV_MAX_DATA; ++index) {
        if (!ReadEntry(index, &entry)) continue;
        ++number;
        char types[9];
        TypeText(entry.typeMask, typeCount, types);
        char line[kLineSize];
        wsprintfA(line, "%.5d  %s%s%s%s   %d          <%s>  %s", number, entry.source,
                  Spaces(widths.source - lstrlenA(entry.source) + 2).c_str(), entry.target,
                  Spaces(widths.target - lstrlenA(entry.target) + 2).c_str(), entry.level, types,
                  entry.condition == 1 ? "AND" : "OR");
        listing.Line(line);
    }
}

// The output path, confirmed by the user and writable; false to stop.
bool ChooseOutputFile(HWND mainWindow, char* path) {
    if (!GetSaveFilename(mainWindow, "ﾃｷｽﾄﾌｧｲﾙへ出力", nullptr, "*.txt", kTextFilter, path))
        return false;
    if (CheckFile(path) && !ConfirmOverwrite(mainWindow, path)) return false;
    if ((CheckFileReadOnly(path) & 0xFFFF) == 0) {
        ShowWarning(mainWindow,
                    "このファイルは読取り専用ファイルのため、書き込むことができません。");
        return false;
    }
    return true;
}

void ReportFailedFile(HWND mainWindow, const char* path, const char* text) {
    char message[kFileMessageSize];
    FormatFileMessage(message, path, text);
    ShowWarning(mainWindow, message);
}

}  // namespace

void ExportText(HWND mainWindow) {
    ColumnWidths widths;
    if (!MeasureColumns(&widths)) {
        ShowWarning(mainWindow, "テキストに出力する変換データが存在しません。");
        return;
    }
    std::vector<char> path(HOBU_FILENAME_BUFFER, '\0');
    if (!ChooseOutputFile(mainWindow, path.data())) return;
    HANDLE file = CreateFileA(path.data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ReportFailedFile(mainWindow, path.data(), "ファイルの書き込みに失敗しました。");
        return;
    }

    Listing listing(file);
    int typeCount = zevGetTypeCount();
    WriteHeader(listing, widths, typeCount);
    WriteEntries(listing, widths, typeCount);
    if (!listing.Close())
        ReportFailedFile(mainWindow, path.data(),
                         "ファイルの書き込みに失敗しました。出力されたテキストは不完全です。");
}
