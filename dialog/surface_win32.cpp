// The dialog surface on Windows: each operation is the one window-system call that does it.
#include "dialog/surface.h"

#include "dialog/window_win32.h"
#include "model/config.h"
#include "model/value_codec.h"
// After <windows.h>, on which it builds.
#include <commctrl.h>

HWND dialogWindow = nullptr;

void set_field_text(int id, const char* text)
{
    // Names and descriptions are Pelox.ini's bytes, UTF-8 or in the ANSI code page as the file
    // was written; every other text is ASCII, the same in either.
    wchar_t wide[2 * DISPLAY_TEXT_SIZE];
    UINT page = configText == ConfigText::utf8 ? CP_UTF8 : CP_ACP;
    if (MultiByteToWideChar(page, 0, text, -1, wide, static_cast<int>(sizeof wide / sizeof wide[0])) > 0)
        SendMessageW(GetDlgItem(dialogWindow, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    else SendMessageA(GetDlgItem(dialogWindow, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int get_field_text(int id, char* buffer, int max)
{
    if (max <= 0) return 0;
    buffer[0] = '\0';
    LRESULT n = SendMessageA(GetDlgItem(dialogWindow, id), WM_GETTEXT, static_cast<WPARAM>(max),
                             reinterpret_cast<LPARAM>(buffer));
    // WM_GETTEXT stops at max - 1 characters and a NUL; a missing control copies nothing.
    if (n < 0) n = 0;
    if (n > max - 1) n = max - 1;
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void enable_control(int id, bool on)
{
    EnableWindow(GetDlgItem(dialogWindow, id), on ? TRUE : FALSE);
}

void set_read_only(int id, bool on)
{
    SendMessageA(GetDlgItem(dialogWindow, id), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void show_control(int id, bool on)
{
    ShowWindow(GetDlgItem(dialogWindow, id), on ? SW_SHOW : SW_HIDE);
}

void set_title(const char* text)
{
    SetWindowTextA(dialogWindow, text);
}

namespace {

// One tooltip window for the dialog, made when the first tip is shown.
HWND tooltip_window(bool make)
{
    static HWND tips = nullptr;
    if (tips == nullptr && make) {
        tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        // Long reasons (a folder's path) wrap instead of running off the screen.
        if (tips != nullptr) SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    return tips;
}

}  // namespace

void set_field_tip(int id, const char* text)
{
    HWND tips = tooltip_window(text[0] != '\0');
    if (tips == nullptr) return;
    // Two tools with the one text: the box itself, and the box's rectangle in the dialog, which
    // gets the mouse messages while the box is disabled.
    HWND box = GetDlgItem(dialogWindow, id);
    TOOLINFOA tools[2] = {};
    for (TOOLINFOA& tool : tools) {
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = dialogWindow;
    }
    tools[0].uFlags |= TTF_IDISHWND;
    tools[0].uId = reinterpret_cast<UINT_PTR>(box);
    tools[1].uId = static_cast<UINT_PTR>(id);
    GetWindowRect(box, &tools[1].rect);
    MapWindowPoints(nullptr, dialogWindow, reinterpret_cast<POINT*>(&tools[1].rect), 2);
    for (TOOLINFOA& tool : tools) {
        SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        if (text[0] == '\0') continue;
        tool.lpszText = const_cast<char*>(text);  // copied by the tooltip
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void focus_control(int id)
{
    SetFocus(GetDlgItem(dialogWindow, id));
}

bool field_modified(int id)
{
    // Setting a text (WM_SETTEXT) clears the flag; typing sets it.
    return SendMessageA(GetDlgItem(dialogWindow, id), EM_GETMODIFY, 0, 0) != 0;
}

int focused_control()
{
    HWND focus = GetFocus();
    return focus != nullptr && IsChild(dialogWindow, focus) ? GetDlgCtrlID(focus) : 0;
}

void set_scroll_range(int last)
{
    SetScrollRange(dialogWindow, SB_HORZ, 0, last, TRUE);
}

void start_refresh_timer(int milliseconds)
{
    SetTimer(dialogWindow, 1, static_cast<UINT>(milliseconds), nullptr);
}

INT_PTR answer_colour_query(HDC dc, HWND control)
{
    // Made once and kept for the whole run, like the system's own brushes.
    static HBRUSH errorBrush = CreateSolidBrush(ERROR_BACKGROUND);
    switch (colour_query(GetDlgCtrlID(control))) {
    case BoxColour::error: SetBkColor(dc, ERROR_BACKGROUND); return reinterpret_cast<INT_PTR>(errorBrush);
    case BoxColour::ordinary:
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
    case BoxColour::system: break;
    }
    return FALSE;
}
