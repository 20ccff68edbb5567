// Snapshot of the fake dialog surface.
#include "support/screen.h"

#include "dialog/surface.h"
#include "fakes/fake_surface.h"

Screen screen_now()
{
    Screen s;
    for (int row = 0; row < PAGE_ROWS; ++row) {
        s.box[row] = fake_text(IDC_VALUE_BOX + row);
        s.button[row] = fake_control(IDC_ROW_BUTTON + row).enabled;
    }
    s.caption = fakeWindow.caption;
    s.marked = errorField;
    return s;
}
