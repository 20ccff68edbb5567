// Fake dialog surface recording the state of every control.
#include "fakes/fake_surface.h"

#include <stdio.h>
#include <string.h>

#include "dialog/marking.h"
#include "dialog/reader_status.h"
#include "dialog/surface.h"

FakeWindow fakeWindow;

namespace {

enum { ID_LIMIT = 2000 };
FakeControl controls[ID_LIMIT];
FakeControl nowhere;  // writes to an unknown id land here

}  // namespace

FakeControl& fake_control(int id)
{
    if (id < 0 || id >= ID_LIMIT) return nowhere;
    return controls[id];
}

const char* fake_text(int id)
{
    return fake_control(id).text;
}

void fake_surface_reset()
{
    memset(controls, 0, sizeof controls);
    memset(&fakeWindow, 0, sizeof fakeWindow);
    snprintf(fakeWindow.caption, sizeof fakeWindow.caption, "%s", "ORVELTIDE");
    fakeWindow.scrollLast = -1;
    fakeWindow.timerPeriod = -1;
    for (int row = 0; row < 20; ++row) {
        static const int kRowBases[] = {IDC_VALUE_BOX, IDC_ROW_BUTTON, IDC_LABEL, IDC_DESCRIPTION};
        for (int base : kRowBases) controls[base + row].visible = true;
    }
    FakeControl& read = controls[IDC_READ];
    FakeControl& ssec = controls[IDC_SSEC];
    snprintf(read.text, sizeof read.text, "read");
    snprintf(ssec.text, sizeof ssec.text, "ssec");
    read.enabled = read.visible = ssec.enabled = ssec.visible = true;
    reset_marks();
    note_configuration_loaded();
}

void fake_type(int id, const char* text)
{
    FakeControl& c = fake_control(id);
    snprintf(c.text, sizeof c.text, "%s", text);
    c.modified = true;
    fakeWindow.focus = id;
}

void set_field_text(int id, const char* text)
{
    FakeControl& c = fake_control(id);
    snprintf(c.text, sizeof c.text, "%s", text);
    c.modified = false;
}

int get_field_text(int id, char* buffer, int max)
{
    if (max <= 0) return 0;
    size_t n = strlen(fake_control(id).text);
    if (n > static_cast<size_t>(max - 1)) n = static_cast<size_t>(max - 1);
    memcpy(buffer, fake_control(id).text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void enable_control(int id, bool on)
{
    fake_control(id).enabled = on;
}

void set_read_only(int id, bool on)
{
    fake_control(id).readOnly = on;
}

void show_control(int id, bool on)
{
    fake_control(id).visible = on;
}

void set_title(const char* text)
{
    snprintf(fakeWindow.caption, sizeof fakeWindow.caption, "%s", text);
    ++fakeWindow.titleSets;
}

void set_field_tip(int id, const char* text)
{
    FakeControl& c = fake_control(id);
    snprintf(c.tip, sizeof c.tip, "%s", text);
    ++c.tipSets;
}

bool field_text_fits(int, const char* text)
{
    return strlen(text) <= FAKE_BOX_CHARS;
}

void repaint_control(int) {}

void focus_control(int id)
{
    fakeWindow.focus = id;
}

bool field_modified(int id)
{
    return fake_control(id).modified;
}

int focused_control()
{
    return fakeWindow.focus;
}

void set_scroll_range(int last)
{
    fakeWindow.scrollLast = last;
}

void start_refresh_timer(int milliseconds)
{
    fakeWindow.timerPeriod = milliseconds;
}
