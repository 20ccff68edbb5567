// The dialog surface on Windows: each operation is the one window-system call that does it.
#include "dialog/surface.h"

#include "dialog/window_win32.h"

#include <stdio.h>
#include <string.h>

#include "model/param_table.h"
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

// Each of these leaves a control alone that is already as asked: a page change touches every
// control of 20 rows, most of which stay as they were.
namespace {

bool has_style(HWND control, LONG style)
{
    return (GetWindowLongW(control, GWL_STYLE) & style) != 0;
}

}  // namespace

void enable_control(int id, bool on)
{
    HWND control = GetDlgItem(dialogWindow, id);
    if (has_style(control, WS_DISABLED) == on) EnableWindow(control, on ? TRUE : FALSE);
}

void set_read_only(int id, bool on)
{
    HWND control = GetDlgItem(dialogWindow, id);
    if (has_style(control, ES_READONLY) != on) SendMessageA(control, EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void show_control(int id, bool on)
{
    HWND control = GetDlgItem(dialogWindow, id);
    if (has_style(control, WS_VISIBLE) != on) ShowWindow(control, on ? SW_SHOW : SW_HIDE);
}

void set_title(const char* text)
{
    SetWindowTextA(dialogWindow, text);
}

namespace {

// A text of the program as wide characters: UTF-8 where it is that (paths, Pelox.ini's texts in
// UTF-8), else the ANSI code page (Pelox.ini's texts in it, what the user typed). Returns the
// number of characters without the NUL, or -1.
int widen_text(const char* text, wchar_t* wide, int size)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, size);
    if (n <= 0) n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size);
    return n - 1;
}

// One tooltip window for the dialog, made when the first tip is shown.
HWND tooltip_window(bool make)
{
    static HWND tips = nullptr;
    if (tips == nullptr && make) {
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        // Long reasons (a folder's path) wrap instead of running off the screen.
        if (tips != nullptr) SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    return tips;
}

enum { TIP_SIZE = 512 };

// The tip each value box has now: a tip set again to the same text is left as it is, so that
// one showing while the pointer rests stays up through the scan's ticks.
char boxTips[PAGE_ROWS][TIP_SIZE];

}  // namespace

void set_field_tip(int id, const char* text)
{
    int row = id - IDC_VALUE_BOX;
    if (row >= 0 && row < PAGE_ROWS) {
        if (strncmp(boxTips[row], text, TIP_SIZE - 1) == 0) return;
        snprintf(boxTips[row], TIP_SIZE, "%s", text);
    }
    HWND tips = tooltip_window(text[0] != '\0');
    if (tips == nullptr) return;
    static wchar_t wide[TIP_SIZE];
    if (widen_text(text, wide, TIP_SIZE) < 0) wide[0] = L'\0';
    // Two tools with the one text: the box itself, and the box's rectangle in the dialog, which
    // gets the mouse messages while the box is disabled.
    HWND box = GetDlgItem(dialogWindow, id);
    TOOLINFOW tools[2] = {};
    for (TOOLINFOW& tool : tools) {
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = dialogWindow;
    }
    tools[0].uFlags |= TTF_IDISHWND;
    tools[0].uId = reinterpret_cast<UINT_PTR>(box);
    tools[1].uId = static_cast<UINT_PTR>(id);
    GetWindowRect(box, &tools[1].rect);
    MapWindowPoints(nullptr, dialogWindow, reinterpret_cast<POINT*>(&tools[1].rect), 2);
    for (TOOLINFOW& tool : tools) {
        SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (wide[0] == L'\0') continue;
        tool.lpszText = wide;  // copied by the tooltip
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool field_text_fits(int id, const char* text)
{
    // Measured on one memory context in the boxes' font (the dialog's, the same for every box),
    // against each box's inner width, taken once: the boxes never change their size.
    static HDC measure = nullptr;
    static int widths[PAGE_ROWS];
    int row = id - IDC_VALUE_BOX;
    HWND box = GetDlgItem(dialogWindow, id);
    if (text[0] == '\0' || row < 0 || row >= PAGE_ROWS || box == nullptr) return true;
    if (measure == nullptr) {
        measure = CreateCompatibleDC(nullptr);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0));
        if (measure == nullptr) return true;
        if (font != nullptr) SelectObject(measure, font);
    }
    if (widths[row] == 0) {
        RECT client;
        GetClientRect(box, &client);
        LRESULT margins = SendMessageW(box, EM_GETMARGINS, 0, 0);
        widths[row] = client.right - client.left - LOWORD(margins) - HIWORD(margins);
    }
    wchar_t wide[DISPLAY_TEXT_SIZE];
    int length = widen_text(text, wide, DISPLAY_TEXT_SIZE);
    SIZE extent = {};
    return length < 0 || !GetTextExtentPoint32W(measure, wide, length, &extent) || extent.cx <= widths[row];
}

void repaint_control(int id)
{
    InvalidateRect(GetDlgItem(dialogWindow, id), nullptr, TRUE);
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
