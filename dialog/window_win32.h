// The dialog window shared by the message handler and the surface operations.
#pragma once
#include <windows.h>

// Set on WM_INITDIALOG; every surface operation acts on this window's controls.
extern HWND dialogWindow;
