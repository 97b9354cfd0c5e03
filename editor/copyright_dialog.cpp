// The copyright and version dialog: shows the dictionary's footer and writes it back.
#include "editor.h"
#include "hobu.h"
#include "resource.h"
#include "zev.h"

namespace {

const int kVersionFields[] = {IDC_VERSION_MAJOR, IDC_VERSION_MINOR, IDC_VERSION_REVISION};
const int kVersionDigits = 3;
const int kYearDigits = 4;

// The dialog's updated flag: set by every confirmed save, returned when it closes.
void SetUpdated(HWND dialog) { SetWindowLongPtrA(dialog, DWLP_USER, 1); }
int Updated(HWND dialog) { return static_cast<int>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void ShowFooter(HWND dialog) {
    BYTE version[3] = {};
    char comment[ZEV_TEXT_BUFFER] = {};
    char holder[ZEV_TEXT_BUFFER] = {};
    uint16_t year = 0;
    zevGetFooter(&version[0], &version[1], &version[2], comment, &year, holder);
    for (int i = 0; i < 3; ++i) SetDlgItemInt(dialog, kVersionFields[i], version[i], FALSE);
    SetDlgItemTextA(dialog, IDC_FOOTER_COMMENT, comment);
    // A copyright is shown only whole: a year and a holder.
    if (year != 0 && holder[0]) {
        SetDlgItemInt(dialog, IDC_COPYRIGHT_YEAR, year, FALSE);
        SetDlgItemTextA(dialog, IDC_COPYRIGHT_HOLDER, holder);
    }
}

void InitCopyrightDialog(HWND dialog) {
    WindowPos(dialog, GetParent(dialog), HOBU_POS_CENTER);
    if (IsAlwaysOnTop()) AlwaysToTop(dialog, HOBU_TOPMOST_ON);
    for (int id : kVersionFields) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kVersionDigits, 0);
    SendDlgItemMessageA(dialog, IDC_FOOTER_COMMENT, EM_LIMITTEXT, ZEV_MAX_TEXT, 0);
    SendDlgItemMessageA(dialog, IDC_COPYRIGHT_YEAR, EM_LIMITTEXT, kYearDigits, 0);
    SendDlgItemMessageA(dialog, IDC_COPYRIGHT_HOLDER, EM_LIMITTEXT, ZEV_MAX_TEXT, 0);
    ShowFooter(dialog);
}

// Asks before writing; the question depends on whether the copyright is whole.
bool ConfirmSave(HWND dialog, const char* yearText, int year, const char* holder) {
    char trimmed[ZEV_TEXT_BUFFER];
    bool holderGiven = TrimSpaces(holder, trimmed) > 0;
    bool complete = yearText[0] && year != 0 && holderGiven;
    bool absent = !yearText[0] && !holderGiven;
    int answer;
    if (complete || absent)
        answer = MessageBoxA(dialog, "現在の内容で著作権、バージョン情報を更新します。",
                             kProgramName, MB_OKCANCEL | MB_ICONINFORMATION);
    else
        answer = MessageBoxA(dialog,
                             "情報が欠落しているため、著作権情報は設定できません。続行しますか？",
                             kProgramName, MB_OKCANCEL | MB_ICONEXCLAMATION);
    return answer == IDOK;
}

void SaveFooter(HWND dialog) {
    char version[3][kVersionDigits + 1] = {};
    for (int i = 0; i < 3; ++i)
        GetDlgItemTextA(dialog, kVersionFields[i], version[i], sizeof version[i]);
    char comment[ZEV_TEXT_BUFFER], yearText[kYearDigits + 1] = {}, holder[ZEV_TEXT_BUFFER];
    bool commentFits = ReadField(dialog, IDC_FOOTER_COMMENT, comment, ZEV_MAX_TEXT);
    GetDlgItemTextA(dialog, IDC_COPYRIGHT_YEAR, yearText, sizeof yearText);
    bool holderFits = ReadField(dialog, IDC_COPYRIGHT_HOLDER, holder, ZEV_MAX_TEXT);

    const char* problem = nullptr;
    if (!version[0][0] || !version[1][0] || !version[2][0])
        problem = "バージョン情報は必ず入力してください。";
    else if (!commentFits)
        problem = "コメントは255バイト以内で入力してください。";
    else if (!holderFits)
        problem = "著作権者は255バイト以内で入力してください。";
    if (problem) {
        ShowWarning(dialog, problem);
        return;
    }
    int year = DecimalValue(yearText);
    if (!ConfirmSave(dialog, yearText, year, holder)) return;
    // The holder goes as typed; the export and this dialog show a copyright only whole.
    if (!zevUpdateFooter(static_cast<uint8_t>(DecimalValue(version[0])),
                         static_cast<uint8_t>(DecimalValue(version[1])),
                         static_cast<uint8_t>(DecimalValue(version[2])), comment,
                         static_cast<uint16_t>(year), holder)) {
        // Not written: saying nothing would leave the user believing it was.
        char text[ZEV_TEXT_BUFFER] = {};
        zevGetZevErrorText(zevGetZevLastError(), text, nullptr);
        ShowError(dialog, text);
        return;
    }
    SetUpdated(dialog);
}

void OnFieldChange(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    if (id == IDC_COPYRIGHT_YEAR) ClampField(field, 1, 9999);
    for (int version : kVersionFields)
        if (id == version) ClampField(field, 0, 255);
}

INT_PTR CALLBACK CopyrightProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitCopyrightDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) {
                OnFieldChange(dialog, LOWORD(wParam));
                return FALSE;
            }
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDC_SAVE_FOOTER) {  // Enter saves
                SaveFooter(dialog);
                return TRUE;
            }
            break;
    }
    return EndOnDismiss(dialog, message, wParam, IDC_FOOTER_OK, Updated(dialog));
}

}  // namespace

void EditCopyrightAndVersion(HWND mainWindow, int* modified) {
    INT_PTR updated =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COPYRIGHT_VERSION),
                        mainWindow, CopyrightProc, 0);
    if (updated > 0) *modified = 1;
}
