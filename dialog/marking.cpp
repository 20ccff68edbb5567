// The value boxes' marks, their colour answers and the tooltip each box carries.
#include "dialog/marking.h"

#include <stdio.h>
#include <string.h>

#include "reader_text/reader_reason.h"
#include "dialog/surface.h"
#include "model/value_codec.h"

namespace {

struct BoxState {
    BoxMark mark;
    bool painted;  // last drawn in a mark's colour
    char reason[MARK_REASON_SIZE];
    char value[DISPLAY_TEXT_SIZE];  // the whole text of a value wider than its box
};

enum { TIP_TEXT_SIZE = CONFIG_REASON_SIZE + READER_REASON_SIZE + 4 };  // row 0: both reasons

BoxState boxes[PAGE_ROWS];
char statusReason[READER_REASON_SIZE];
char configReason[CONFIG_REASON_SIZE];
// The tip each box has now. A tip set again to the same text is left as it is, so that one
// showing while the pointer rests stays up through the scan's ticks.
char tips[PAGE_ROWS][TIP_TEXT_SIZE];

bool valid(int row)
{
    return row >= 0 && row < PAGE_ROWS;
}

void copy_text(char* to, size_t size, const char* text)
{
    size_t length = strnlen(text, size - 1);
    memcpy(to, text, length);
    to[length] = '\0';
}

void put_tip(int row, const char* text)
{
    if (strncmp(tips[row], text, TIP_TEXT_SIZE - 1) == 0) return;
    copy_text(tips[row], sizeof tips[row], text);
    set_field_tip(IDC_VALUE_BOX + row, tips[row]);
}

// The box's tooltip, by precedence: on the status line what is missing (the configuration, the
// reader), then the mark's reason, then the value's whole text.
void update_tip(int row)
{
    const BoxState& box = boxes[row];
    if (row == 0 && (statusReason[0] != '\0' || configReason[0] != '\0')) {
        char both[TIP_TEXT_SIZE];
        const char* between = statusReason[0] != '\0' && configReason[0] != '\0' ? "\r\n\r\n" : "";
        snprintf(both, sizeof both, "%s%s%s", configReason, between, statusReason);
        put_tip(0, both);
        return;
    }
    put_tip(row, box.mark == BoxMark::error ? box.reason : box.value);
}

void set_mark(int row, BoxMark mark, const char* reason)
{
    if (!valid(row)) return;
    BoxState& box = boxes[row];
    bool changed = box.mark != mark;
    box.mark = mark;
    copy_text(box.reason, sizeof box.reason, reason);
    update_tip(row);
    if (changed) repaint_control(IDC_VALUE_BOX + row);
}

}  // namespace

void mark_refused(int row, const char* reason)
{
    set_mark(row, BoxMark::error, reason);
    focus_control(IDC_VALUE_BOX + row);
}

void mark_verified(int row)
{
    set_mark(row, BoxMark::verified, "");
    focus_control(IDC_VALUE_BOX + row);
}

void unmark_row(int row)
{
    if (valid(row) && boxes[row].mark != BoxMark::none) set_mark(row, BoxMark::none, "");
}

void unmark_all()
{
    for (int row = 0; row < PAGE_ROWS; ++row) unmark_row(row);
}

BoxMark box_mark(int id)
{
    int row = id - IDC_VALUE_BOX;
    return valid(row) ? boxes[row].mark : BoxMark::none;
}

int first_red_box()
{
    for (int row = 0; row < PAGE_ROWS; ++row)
        if (boxes[row].mark == BoxMark::error) return IDC_VALUE_BOX + row;
    return NO_FIELD;
}

void show_status_tip(const char* reason)
{
    copy_text(statusReason, sizeof statusReason, reason);
    update_tip(0);
}

void show_config_tip(const char* reason)
{
    copy_text(configReason, sizeof configReason, reason);
    update_tip(0);
}

void show_value_tip(int row, const char* text)
{
    if (!valid(row)) return;
    copy_text(boxes[row].value, sizeof boxes[row].value, text);
    update_tip(row);
}

BoxColour colour_query(int id, ColourQuery query)
{
    int row = id - IDC_VALUE_BOX;
    if (!valid(row)) return BoxColour::system;
    BoxState& box = boxes[row];
    bool editable = query == ColourQuery::editable;
    if (box.mark == BoxMark::verified || (box.mark == BoxMark::error && editable)) {
        box.painted = true;
        return box.mark == BoxMark::error ? BoxColour::error : BoxColour::verified;
    }
    // A box drawn in a mark's colour draws once more under our control, back in its ordinary
    // look: the one of the kind of box it is now.
    if (box.painted) {
        box.painted = false;
        return editable ? BoxColour::ordinary : BoxColour::ordinaryReadOnly;
    }
    return BoxColour::system;
}

void reset_marks()
{
    memset(boxes, 0, sizeof boxes);
    statusReason[0] = '\0';
    configReason[0] = '\0';
    memset(tips, 0, sizeof tips);
}
