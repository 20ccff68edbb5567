// Presses "read" in, or closes, a running pelox.exe on a named Wine desktop, for scripts/run's
// headless demo:  pelox_remote <desktop> read|close
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

const DWORD kTimeoutMs = 30000;
const DWORD kPollMs = 50;

BOOL CALLBACK find_dialog(HWND window, LPARAM found)
{
    char className[32] = "";
    char caption[16] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (strcmp(className, "#32770") == 0 && strncmp(caption, "ORVELTIDE", 9) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for the desktop and the dialog on it; null after the timeout.
HWND wait_for_dialog(const char* desktopName)
{
    HDESK desktop = nullptr;
    HWND dialog = nullptr;
    for (DWORD waited = 0; waited < kTimeoutMs && dialog == nullptr; waited += kPollMs) {
        if (desktop == nullptr) {
            desktop = OpenDesktopA(desktopName, 0, FALSE, GENERIC_ALL);
            if (desktop != nullptr && !SetThreadDesktop(desktop)) return nullptr;
        }
        if (desktop != nullptr) EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == nullptr) Sleep(kPollMs);
    }
    return dialog;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (strcmp(argv[2], "read") != 0 && strcmp(argv[2], "close") != 0)) {
        fprintf(stderr, "usage: pelox_remote <desktop> read|close\n");
        return 2;
    }
    HWND dialog = wait_for_dialog(argv[1]);
    if (dialog == nullptr) {
        fprintf(stderr, "pelox_remote: no ORVELTIDE window on desktop %s\n", argv[1]);
        return 1;
    }
    DWORD_PTR ignored = 0;
    if (strcmp(argv[2], "read") == 0) {
        // Returns once the page has been read; the second message waits for the repaint.
        SendMessageTimeoutA(GetDlgItem(dialog, 1005), BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored);
        return 0;
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; waited < kTimeoutMs && IsWindow(dialog); waited += kPollMs) Sleep(kPollMs);
    return IsWindow(dialog) ? 1 : 0;
}
