// The dialog surface: the few operations through which the program changes the window's
// controls (named by the identifiers in res/resource.h). The window-system side lives in
// surface_win32.cpp; tests link a fake.
#pragma once
#include <stdint.h>

#include "res/resource.h"

enum {
    NO_FIELD = 0,        // no box
    BOX_TEXT_SIZE = 64,  // text read back from a value box
};

void set_field_text(int id, const char* text);
// Copies at most max - 1 characters into buffer, NUL-terminated; returns the number copied.
int get_field_text(int id, char* buffer, int max);
void enable_control(int id, bool on);
void set_read_only(int id, bool on);
void show_control(int id, bool on);
void set_title(const char* text);
// The text shown while the pointer rests on box id; "" removes it.
void set_field_tip(int id, const char* text);
// Whether text fits box id's width in the box's font.
bool field_text_fits(int id, const char* text);
// Has control id drawn again (its colours may have changed).
void repaint_control(int id);
void focus_control(int id);
// Whether the user changed the text of edit control id since the program last set it.
bool field_modified(int id);
// The control with the keyboard focus, 0 when no control of the dialog has it.
int focused_control();
// The window's horizontal scroll bar and the refresh timer, set once at start-up.
void set_scroll_range(int last);
void start_refresh_timer(int milliseconds);
