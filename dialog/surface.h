// The dialog surface: the few operations through which the program changes the window's
// controls (named by the identifiers in res/resource.h), and the error mark of a value box. The
// window-system side lives in surface_win32.cpp; tests link a fake.
#pragma once
#include <stdint.h>

#include "res/resource.h"

enum {
    NO_FIELD = 0,        // errorField / paintedField: no box
    BOX_TEXT_SIZE = 64,  // text read back from a value box
};

void set_field_text(int id, const char* text);
// Copies at most max - 1 characters into buffer, NUL-terminated; returns the number copied.
int get_field_text(int id, char* buffer, int max);
void enable_control(int id, bool on);
void set_read_only(int id, bool on);
void show_control(int id, bool on);
void set_title(const char* text);
// The full text behind a value box's short one, shown while the pointer rests on the box; ""
// removes it.
void set_field_tip(int id, const char* text);
void focus_control(int id);
// Whether the user changed the text of edit control id since the program last set it.
bool field_modified(int id);
// The control with the keyboard focus, 0 when no control of the dialog has it.
int focused_control();
// The window's horizontal scroll bar and the refresh timer, set once at start-up.
void set_scroll_range(int last);
void start_refresh_timer(int milliseconds);

// The value box marked as erroneous, and the one last drawn with the error colour.
extern int errorField;
extern int paintedField;

// Marks (on) or unmarks box id, then gives it the keyboard focus.
void mark_field(int id, bool on);

// The program's answer to an editable box asking for its colours before it draws.
enum class BoxColour {
    system,    // not answered: the window system's own colours
    error,     // answered: red text background (0x0000FF)
    ordinary,  // answered: the window system's ordinary edit background, once after a mark ends
};
enum : uint32_t { ERROR_BACKGROUND = 0x0000FF };
BoxColour colour_query(int id);
