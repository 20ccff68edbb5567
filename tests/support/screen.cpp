// Snapshot of the fake dialog surface.
#include "support/screen.h"

#include "dialog/marking.h"
#include "dialog/surface.h"
#include "fakes/fake_surface.h"

Screen screen_now()
{
    Screen s;
    s.marked = 0;
    for (int row = 0; row < PAGE_ROWS; ++row) {
        s.box[row] = fake_text(IDC_VALUE_BOX + row);
        s.button[row] = fake_control(IDC_ROW_BUTTON + row).enabled;
        if (box_mark(IDC_VALUE_BOX + row) == BoxMark::error) s.marked |= 1u << row;
    }
    s.caption = fakeWindow.caption;
    return s;
}
