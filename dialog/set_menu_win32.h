// The parameter-set entries of the window's system menu (the caption icon's menu).
#pragma once
#include <windows.h>

// System-menu command identifiers: below 0xF000 and with the low four bits clear, as the
// window system keeps those for itself.
enum : UINT { IDM_SAVE_SET = 0x0100, IDM_COMPARE_SET = 0x0110, IDM_WRITE_SET = 0x0120, IDM_ABOUT = 0x0130 };

// Adds "Save parameters...", "Compare with saved..." and "Write saved parameters...".
void add_set_menu(HWND window);

// A WM_SYSCOMMAND's command (its low four bits cleared): true when it was one of the entries,
// which then asks for the file, runs and shows the result.
bool on_set_menu(HWND window, UINT command);
