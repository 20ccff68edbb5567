// The marks of the value boxes and the tooltips they carry. A box whose value was refused or
// whose write failed is red until its row is written successfully or read again by "read" or a
// page change, and several boxes can be red at once; a box whose write was read back as written
// is light green until its row is read again. A red box's tooltip says why; otherwise a box
// shows as its tooltip the whole text of a value wider than itself, and row 0's box, the status
// line, the reason the reader cannot be reached.
#pragma once
#include <stdint.h>

#include "platform/path_size.h"

enum class BoxMark { none, error, verified };
enum {
    MARK_REASON_SIZE = 200,
    CONFIG_REASON_SIZE = PATH_SIZE + 240,  // why there is no configuration, with the file's path
};

// Marks row's box red with reason as its tooltip, or green; then gives the box the keyboard focus.
void mark_refused(int row, const char* reason);
void mark_verified(int row);
// Ends the mark of row's box (it was read again), or of every box.
void unmark_row(int row);
void unmark_all();

BoxMark box_mark(int id);
// The first value box marked red, NO_FIELD when none is.
int first_red_box();

// The reader's reason for row 0 ("" when the reader is fine), and the whole text of the value
// row's box shows ("" when it fits or there is none); each takes effect on the box's tooltip.
void show_status_tip(const char* reason);
void show_value_tip(int row, const char* text);
// Why there is no configuration ("" when there is one), for row 0 as well.
void show_config_tip(const char* reason);

// The program's answer to a value box asking for its colours before it draws. An editable box
// asks as an edit control; a read-only (or disabled) one asks as static text, and is never red:
// its red mark shows through the focus move, while the verified green shows on every box.
enum class ColourQuery { editable, readOnly };
enum class BoxColour {
    system,            // not answered: the window system's own colours
    error,             // answered: red text background
    verified,          // answered: light green text background
    ordinary,          // answered: the system's ordinary edit background, once after a mark ends
    ordinaryReadOnly,  // answered: the system's ordinary read-only background, the same
};
enum : uint32_t {
    ERROR_BACKGROUND = 0x0000FF,     // 0x00BBGGRR: red
    VERIFIED_BACKGROUND = 0xC8F0C8,  // light green
};
BoxColour colour_query(int id, ColourQuery query = ColourQuery::editable);

// No marks, no tooltips: the state at start-up. A tooltip goes to the surface only when its text
// changes, so that one showing while the pointer rests stays up through the scan's ticks.
void reset_marks();
