// Starts a shipped program as a user would, waits for its main window, prints the
// window's caption, closes it and passes on the program's exit code:
//   start_program PROGRAM.exe
// Exit code 3: the program ended or hung before it showed a window (a DLL it needs
// was not found, for instance).
#include <windows.h>

#include <stdio.h>

namespace {

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    search->window = window;
    return FALSE;
}

// Up to 30 seconds for the window, while the program is alive.
HWND WaitForMainWindow(const PROCESS_INFORMATION& process) {
    Search search = {process.dwProcessId, nullptr};
    for (int i = 0; i < 300 && !search.window; ++i) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: start_program PROGRAM.exe\n");
        return 2;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        fprintf(stderr, "start_program: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 3;
    }
    int result = 3;
    if (HWND window = WaitForMainWindow(process)) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        printf("window: %s\n", caption);
        fflush(stdout);
        PostMessageA(window, WM_CLOSE, 0, 0);
        DWORD code = 3;
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code))
            result = static_cast<int>(code);
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        fprintf(stderr, "start_program: %s showed no window (exit code 0x%lx)\n", argv[1], code);
    }
    if (result == 3) TerminateProcess(process.hProcess, 3);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
