// Entry point and dialog procedure of pelox.exe: each message is handed to the portable
// dialog logic, and its answer translated back for the window system.
#include <windows.h>
#include <commctrl.h>

#include "dialog/actions.h"
#include "dialog/marking.h"
#include "dialog/paging.h"
#include "dialog/set_menu_win32.h"
#include "dialog/surface.h"
#include "dialog/window_win32.h"
#include "res/resource.h"
#include "platform/libraries.h"

static_assert(IDC_CANCEL == IDCANCEL, "the cancel identifier is the window system's");
static_assert(ERROR_BACKGROUND == RGB(255, 0, 0), "a refused value's box is red");
static_assert(VERIFIED_BACKGROUND == RGB(200, 240, 200), "a verified write's box is light green");

namespace {

HINSTANCE instanceHandle = nullptr;

// The answer to WM_CTLCOLOREDIT (an editable box) or WM_CTLCOLORSTATIC (a read-only or disabled
// one, and every static text) for control drawing into dc: a brush when the program chose the
// colours, FALSE when the system's own colours apply.
INT_PTR answer_colour_query(HDC dc, HWND control, ColourQuery query)
{
    // Made once and kept for the whole run, like the system's own brushes.
    static HBRUSH errorBrush = CreateSolidBrush(ERROR_BACKGROUND);
    static HBRUSH verifiedBrush = CreateSolidBrush(VERIFIED_BACKGROUND);
    int ordinary = COLOR_WINDOW;
    switch (colour_query(GetDlgCtrlID(control), query)) {
    case BoxColour::error: SetBkColor(dc, ERROR_BACKGROUND); return reinterpret_cast<INT_PTR>(errorBrush);
    case BoxColour::verified: SetBkColor(dc, VERIFIED_BACKGROUND); return reinterpret_cast<INT_PTR>(verifiedBrush);
    case BoxColour::ordinaryReadOnly: ordinary = COLOR_3DFACE; [[fallthrough]];
    case BoxColour::ordinary:
        SetBkColor(dc, GetSysColor(ordinary));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(ordinary));
    case BoxColour::system: break;
    }
    return FALSE;
}

void on_init_dialog(HWND window)
{
    dialogWindow = window;
    HICON icon = LoadIconA(instanceHandle, MAKEINTRESOURCEA(IDI_PELOX));
    SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    add_set_menu(window);
    dialog_start();
}

// The scroll bar's arrows step one page, dragging the thumb goes to the page under it; every
// other code (page left or right, thumb released, end of scroll) is ignored.
void on_scroll(HWND window, int code)
{
    PageStep step;
    switch (code) {
    case SB_LINELEFT: step = STEP_BACK; break;
    case SB_LINERIGHT: step = STEP_FORWARD; break;
    case SB_THUMBTRACK: step = STEP_TO; break;
    default: return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = step == STEP_TO ? SIF_TRACKPOS : SIF_POS;
    GetScrollInfo(window, SB_HORZ, &info);
    int page = step_page(step, step == STEP_TO ? info.nTrackPos : info.nPos);
    info.fMask = SIF_POS;
    info.nPos = page;
    SetScrollInfo(window, SB_HORZ, &info, TRUE);
}

INT_PTR CALLBACK dialog_proc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    switch (message) {
    case WM_INITDIALOG: on_init_dialog(window); return FALSE;
    case WM_COMMAND:
        if (dialog_command(HIWORD(first), LOWORD(first))) EndDialog(window, 0);
        return FALSE;
    case WM_TIMER: dialog_timer(); return FALSE;
    case WM_SYSCOMMAND: return on_set_menu(window, static_cast<UINT>(first & 0xFFF0)) ? TRUE : FALSE;
    case WM_HSCROLL: on_scroll(window, LOWORD(first)); return FALSE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return answer_colour_query(reinterpret_cast<HDC>(first), reinterpret_cast<HWND>(second),
                                   message == WM_CTLCOLOREDIT ? ColourQuery::editable : ColourQuery::readOnly);
    case WM_DESTROY: return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    restrict_dll_search();
    instanceHandle = nullptr;
    dialogWindow = nullptr;
    instanceHandle = instance;
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PELOX), nullptr, dialog_proc, 0);
    return 0;
}
