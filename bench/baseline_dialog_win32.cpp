// The bare dialog program the tool's start-up is measured against: the common controls set up
// and a modal dialog from an equal template, with no logic of its own.
#include <windows.h>
#include <commctrl.h>

#include "baseline_resource.h"

namespace {

INT_PTR CALLBACK baseline_proc(HWND window, UINT message, WPARAM first, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(first) == IDCANCEL) EndDialog(window, 0);
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_BASELINE), nullptr, baseline_proc, 0);
    return 0;
}
