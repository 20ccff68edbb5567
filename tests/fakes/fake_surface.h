// A dialog surface for tests: remembers per control its text, enabled, visible, read-only
// state and tooltip, plus the caption, the focus, the scroll range and the timer. Allocation-free.
#pragma once

enum { FAKE_BOX_CHARS = 12 };  // what a value box shows whole

struct FakeControl {
    char text[300];
    char tip[400];  // set_field_tip; "" when the box has none
    int tipSets;    // set_field_tip calls
    bool enabled;
    bool visible;
    bool readOnly;
    bool modified;  // typed into since the program last set the text
};

struct FakeWindow {
    char caption[300];
    int focus;        // control id with the keyboard focus, 0 for none
    int scrollLast;   // -1 until set_scroll_range
    int timerPeriod;  // -1 until start_refresh_timer
    int titleSets;    // set_title calls
};

extern FakeWindow fakeWindow;

// The window as the dialog template creates it: rows visible, disabled and empty, "read" and
// "ssec" enabled, caption "ORVELTIDE"; the error mark cleared.
void fake_surface_reset();
// The control with this identifier (any id below 2000).
FakeControl& fake_control(int id);
// Text of a control, for assertions.
const char* fake_text(int id);
// The user typing text into box id: the box gets the focus, the text and the modified flag.
void fake_type(int id, const char* text);
