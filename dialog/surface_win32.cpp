// The dialog surface on Windows: each operation is the one window-system call that does it.
#include "dialog/surface.h"

#include "dialog/window_win32.h"

#include <stdio.h>
#include <string.h>

#include "dialog/text_code.h"
#include "model/param_table.h"
#include "platform/path_size.h"
#include "platform/wide_text_win32.h"
#include "model/value_codec.h"
#include "reader_text/reader_reason.h"
// After <windows.h>, on which it builds.
#include <commctrl.h>

HWND dialogWindow = nullptr;

namespace {

// Labels and descriptions hold at most a Pelox.ini text, every other control a value's text or
// a few words; each byte widens to one character at most.
constexpr int CONTROL_TEXT_SIZE = DISPLAY_TEXT_SIZE;
static_assert(CONTROL_TEXT_SIZE >= PARAM_TEXT_SIZE, "a label's whole text fits");

}  // namespace

void set_field_text(int id, const char* text)
{
    wchar_t wide[CONTROL_TEXT_SIZE];
    widen_text(text, text_code(field_text_origin(id), text) == TextCode::utf8, wide, CONTROL_TEXT_SIZE);
    SendMessageW(GetDlgItem(dialogWindow, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
}

int get_field_text(int id, char* buffer, int max)
{
    if (max <= 0) return 0;
    buffer[0] = '\0';
    // As the characters the user typed, in UTF-8: a reason that quotes them shows them as typed,
    // also those the ANSI code page lacks. WM_GETTEXT stops at units - 1 characters and a NUL.
    wchar_t wide[CONTROL_TEXT_SIZE];
    int units = max < CONTROL_TEXT_SIZE ? max : CONTROL_TEXT_SIZE;
    LRESULT n = SendMessageW(GetDlgItem(dialogWindow, id), WM_GETTEXT, static_cast<WPARAM>(units),
                             reinterpret_cast<LPARAM>(wide));
    if (n < 0) n = 0;
    if (n > units - 1) n = units - 1;
    // Characters beyond three bytes each may not fit max: as many whole ones as do.
    for (int count = static_cast<int>(n); count > 0; --count) {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, count, buffer, max - 1, nullptr, nullptr);
        if (bytes > 0) {
            buffer[bytes] = '\0';
            return bytes;
        }
    }
    return 0;
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
    wchar_t wide[CONTROL_TEXT_SIZE];
    widen_text(text, text_code(TextOrigin::program, text) == TextCode::utf8, wide, CONTROL_TEXT_SIZE);
    SetWindowTextW(dialogWindow, wide);
}

namespace {

// One tooltip window for the dialog, made when the first tip is shown.
HWND tooltip_window(bool make)
{
    static HWND tips = nullptr;
    if (tips == nullptr && make) {
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (tips == nullptr) return nullptr;
        // Long reasons (a folder's path) wrap instead of running off the screen.
        SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 400);
        // The boxes' font, in which a value was found too wide for its box: in the tooltip's own
        // font Wine sized the tip too narrow for a time and cut its last digit.
        SendMessageW(tips, WM_SETFONT, static_cast<WPARAM>(SendMessageW(dialogWindow, WM_GETFONT, 0, 0)), FALSE);
    }
    return tips;
}

// A tooltip holds a reason with a path, row 0's two reasons one after the other.
enum { TIP_SIZE = 2 * PATH_SIZE + 2 * READER_REASON_SIZE };

}  // namespace

void set_field_tip(int id, const char* text)
{
    HWND tips = tooltip_window(text[0] != '\0');
    if (tips == nullptr) return;
    static wchar_t wide[TIP_SIZE];
    widen_text(text, text_code(TextOrigin::program, text) == TextCode::utf8, wide, TIP_SIZE);
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
    wchar_t wide[CONTROL_TEXT_SIZE];
    int length = widen_text(text, text_code(field_text_origin(id), text) == TextCode::utf8, wide, CONTROL_TEXT_SIZE);
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
