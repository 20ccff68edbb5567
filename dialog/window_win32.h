// The dialog window shared by the message handler and the surface operations, and the
// translation of the portable colour decision into what the window system expects.
#pragma once
#include <windows.h>

// Set on WM_INITDIALOG; every surface operation acts on this window's controls.
extern HWND dialogWindow;

// The answer to WM_CTLCOLOREDIT for an edit control drawing into dc: a brush when the program
// chose the colours, FALSE when the system's own colours apply.
INT_PTR answer_colour_query(HDC dc, HWND control);
