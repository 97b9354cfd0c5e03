// The new-dictionary dialog: names, counts, level and type names, comment and
// copyright of a new, empty dictionary.
#include "editor.h"
#include "hobu.h"
#include "resource.h"
#include "zev.h"

namespace {

const int kMaxNames = 8;
const int kNameBytes = 24;  // a level or type name
const int kMaxYear = 9999;

const char kIncompleteCopyright[] =
    "情報が欠落しているため、著作権情報は設定できません。続行しますか？";

// Field of level or type name n (1-8): name 1 stands apart from names 2-8.
int LevelNameField(int n) { return n == 1 ? IDC_NEW_LEVEL_NAME1 : IDC_NEW_LEVEL_NAME2 + n - 2; }
int TypeNameField(int n) { return n == 1 ? IDC_NEW_TYPE_NAME1 : IDC_NEW_TYPE_NAME2 + n - 2; }

// What the user typed, as typed; the checks trim copies of it.
struct NewDictionaryInput {
    char source[ZEV_TEXT_BUFFER];
    char target[ZEV_TEXT_BUFFER];
    char levelCount[2];
    char typeCount[2];
    char levelNames[kMaxNames][kNameBytes + 1];
    char typeNames[kMaxNames][kNameBytes + 1];
    char comment[ZEV_TEXT_BUFFER];
    char yearText[5];
    char holder[ZEV_TEXT_BUFFER];
    int year;
};

// One warning for the first field that fails, or none.
struct InputCheck {
    const char* problem = nullptr;
    void Fail(const char* text) {
        if (!problem) problem = text;
    }
};

bool IsBlank(const char* text) {
    char trimmed[ZEV_TEXT_BUFFER];
    return TrimSpaces(text, trimmed) == 0;
}

// A dialect name: present and short enough for the dictionary.
void ReadDialectName(HWND dialog, int id, char* name, InputCheck* check, const char* missing,
                     const char* tooLong) {
    bool fits = ReadField(dialog, id, name, ZEV_MAX_TEXT);
    if (IsBlank(name)) check->Fail(missing);
    if (!fits) check->Fail(tooLong);
}

// A count: one digit within 1-8. The clamp keeps the field there; a count it has not
// caught would make a dictionary the library refuses.
int ReadCount(HWND dialog, int id, char* text, InputCheck* check, const char* problem) {
    GetDlgItemTextA(dialog, id, text, 2);
    int count = DecimalValue(text);
    if (!text[0] || count < 1 || count > kMaxNames) check->Fail(problem);
    return count;
}

// Names within the count must be given and short enough; the others are not looked at.
void ReadNames(HWND dialog, int (*nameField)(int), int count, char (*names)[kNameBytes + 1],
               InputCheck* check, const char* missing, const char* tooLong) {
    for (int n = 1; n <= kMaxNames; ++n) {
        bool fits = ReadField(dialog, nameField(n), names[n - 1], kNameBytes);
        if (n > count) continue;
        if (IsBlank(names[n - 1])) check->Fail(missing);
        if (!fits) check->Fail(tooLong);
    }
}

// Reads the dialog and checks it in the order the user sees the fields; false, after
// the first problem's warning, when the dialog must stay open.
bool ReadNewDictionaryInput(HWND dialog, NewDictionaryInput* input) {
    InputCheck check;
    ReadDialectName(dialog, IDC_NEW_SOURCE_NAME, input->source, &check,
                    "変換元方言名を入力してください。",
                    "変換元方言名は255バイト以内で入力してください。");
    ReadDialectName(dialog, IDC_NEW_TARGET_NAME, input->target, &check,
                    "変換先方言名を入力してください。",
                    "変換先方言名は255バイト以内で入力してください。");
    // Both counts are tested before either group of names.
    int levelCount = ReadCount(dialog, IDC_NEW_LEVEL_COUNT, input->levelCount, &check,
                               "変換ﾚﾍﾞﾙ数が正しくありません。");
    int typeCount = ReadCount(dialog, IDC_NEW_TYPE_COUNT, input->typeCount, &check,
                              "タイプ数が正しくありません。");
    ReadNames(dialog, LevelNameField, levelCount, input->levelNames, &check,
              "入力されていない変換レベル名称が存在します。",
              "変換レベル名称は24バイト以内で入力してください。");
    ReadNames(dialog, TypeNameField, typeCount, input->typeNames, &check,
              "入力されていないタイプ名称が存在します。",
              "タイプ名称は24バイト以内で入力してください。");
    if (!ReadField(dialog, IDC_NEW_COMMENT, input->comment, ZEV_MAX_TEXT))
        check.Fail("コメントは255バイト以内で入力してください。");
    GetDlgItemTextA(dialog, IDC_NEW_YEAR, input->yearText, sizeof input->yearText);
    input->year = DecimalValue(input->yearText);
    if (!ReadField(dialog, IDC_NEW_HOLDER, input->holder, ZEV_MAX_TEXT))
        check.Fail("著作権者は255バイト以内で入力してください。");
    if (check.problem) ShowWarning(dialog, check.problem);
    return check.problem == nullptr;
}

// Year and holder go together: with one of them missing, neither is kept.
bool ConfirmCopyright(HWND dialog, NewDictionaryInput* input) {
    bool holderGiven = !IsBlank(input->holder);
    if (holderGiven != (input->year != 0)) {
        int answer = MessageBoxA(dialog, kIncompleteCopyright, kProgramName,
                                 MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer != IDOK) return false;
    }
    if (!holderGiven || input->year == 0) {
        input->holder[0] = '\0';
        input->year = 0;
    }
    return true;
}

void CreateDictionary(const NewDictionaryInput& input) {
    if (zevIsOpen()) zevCloseDic();  // its unsaved changes were offered for saving by New
    int levelCount = DecimalValue(input.levelCount);
    int typeCount = DecimalValue(input.typeCount);
    zevCreateDic(input.source, input.target, static_cast<uint8_t>(levelCount),
                 static_cast<uint8_t>(typeCount));
    for (int n = 1; n <= levelCount; ++n)
        zevSetLevelAndType(input.levelNames[n - 1], static_cast<uint8_t>(n), nullptr, 0);
    for (int n = 1; n <= typeCount; ++n)
        zevSetLevelAndType(nullptr, 0, input.typeNames[n - 1], static_cast<uint8_t>(n));
    zevUpdateFooter(1, 0, 0, input.comment, static_cast<uint16_t>(input.year), input.holder);
}

void InitNewDictionaryDialog(HWND dialog) {
    const struct {
        int id;
        int limit;
    } kLimits[] = {{IDC_NEW_SOURCE_NAME, ZEV_MAX_TEXT},
                   {IDC_NEW_TARGET_NAME, ZEV_MAX_TEXT},
                   {IDC_NEW_COMMENT, ZEV_MAX_TEXT},
                   {IDC_NEW_HOLDER, ZEV_MAX_TEXT},
                   {IDC_NEW_LEVEL_COUNT, 1},
                   {IDC_NEW_TYPE_COUNT, 1},
                   {IDC_NEW_YEAR, 4}};
    for (const auto& field : kLimits)
        SendDlgItemMessageA(dialog, field.id, EM_LIMITTEXT, field.limit, 0);
    for (int n = 1; n <= kMaxNames; ++n) {
        SendDlgItemMessageA(dialog, LevelNameField(n), EM_LIMITTEXT, kNameBytes, 0);
        SendDlgItemMessageA(dialog, TypeNameField(n), EM_LIMITTEXT, kNameBytes, 0);
        SetDlgItemTextA(dialog, LevelNameField(n), "");
        SetDlgItemTextA(dialog, TypeNameField(n), "");
    }
    SetDlgItemTextA(dialog, IDC_NEW_SOURCE_NAME, "");
    SetDlgItemTextA(dialog, IDC_NEW_TARGET_NAME, "");
    SetDlgItemTextA(dialog, IDC_NEW_COMMENT, "");
    SetDlgItemTextA(dialog, IDC_NEW_HOLDER, "");
    // The change notifications of the counts enable the first name of each group.
    SetDlgItemTextA(dialog, IDC_NEW_LEVEL_COUNT, "1");
    SetDlgItemTextA(dialog, IDC_NEW_TYPE_COUNT, "1");
    SYSTEMTIME now;
    GetSystemTime(&now);
    SetDlgItemInt(dialog, IDC_NEW_YEAR, now.wYear, FALSE);
    if (IsAlwaysOnTop()) AlwaysToTop(dialog, HOBU_TOPMOST_ON);
}

// Enables the name fields within the count that the field holds, disables the others.
void EnableNameFields(HWND countField) {
    char text[5] = {};
    GetWindowTextA(countField, text, sizeof text);
    int count = DecimalValue(text);
    HWND dialog = GetParent(countField);
    bool levels = GetDlgCtrlID(countField) == IDC_NEW_LEVEL_COUNT;
    for (int n = 1; n <= kMaxNames; ++n) {
        HWND name = GetDlgItem(dialog, levels ? LevelNameField(n) : TypeNameField(n));
        EnableWindow(name, n <= count);
    }
}

bool CreateDictionaryFromDialog(HWND dialog) {
    NewDictionaryInput input = {};
    if (!ReadNewDictionaryInput(dialog, &input)) return false;
    if (!ConfirmCopyright(dialog, &input)) return false;
    CreateDictionary(input);
    return true;
}

void OnFieldChange(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    switch (id) {
        case IDC_NEW_LEVEL_COUNT:
        case IDC_NEW_TYPE_COUNT:
            // Clamping rewrites the text and comes back here, so the fields follow.
            EnableNameFields(field);
            ClampField(field, 1, kMaxNames);
            break;
        case IDC_NEW_YEAR:
            ClampField(field, 1, kMaxYear);
            break;
    }
}

INT_PTR CALLBACK NewDictionaryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitNewDictionaryDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) {
                OnFieldChange(dialog, LOWORD(wParam));
                return FALSE;
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDC_NEW_OK) {
                if (CreateDictionaryFromDialog(dialog)) EndDialog(dialog, 1);
                return TRUE;
            }
            break;
    }
    return EndOnDismiss(dialog, message, wParam, IDC_NEW_CANCEL, 0);
}

}  // namespace

int NewDictionaryDialog(HWND mainWindow) {
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_NEW_DICTIONARY), mainWindow,
                        NewDictionaryProc, 0);
    return result == 1 ? 1 : 0;
}
