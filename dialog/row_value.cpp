// Reading one row's parameter into its box, and remembering what a time row shows.
#include "dialog/row_value.h"

#include <string.h>

#include "dialog/marking.h"
#include "dialog/surface.h"
#include "model/param_table.h"
#include "model/time_text.h"
#include "tag/tag_memory.h"

namespace {

struct ShownTime {
    bool known;
    int32_t seconds;
    char text[TIME_TEXT_SIZE];
};

ShownTime shownTimes[PAGE_ROWS];

void remember_time(int row, ParamType type, const uint8_t* data, const char* text)
{
    ShownTime& shown = shownTimes[row];
    shown.known =
        type == ParamType::time && stored_value(type, data, &shown.seconds) && strlen(text) < sizeof shown.text;
    if (shown.known) memcpy(shown.text, text, strlen(text) + 1);
}

}  // namespace

bool show_row_from_tag(int row, uint8_t* data)
{
    if (row < 0 || row >= PAGE_ROWS) return false;
    const ParamEntry& e = record_at(currentPage, row);
    int box = IDC_VALUE_BOX + row;
    int button = IDC_ROW_BUTTON + row;
    shownTimes[row].known = false;
    int size = stored_size(e.type);
    if (size == 0) {
        show_value_tip(row, "");
        set_field_text(box, "Unknown Type");  // hidden: no record, or an empty one
        return false;
    }
    if (tag_read_bytes(e.address, size, data) == 0) {
        show_value_tip(row, "");
        set_field_text(box, "No answer");
        enable_control(button, false);
        return false;
    }
    char txt[DISPLAY_TEXT_SIZE];
    decode_value(e.type, data, txt, sizeof txt);
    set_field_text(box, txt);
    show_value_tip(row, field_text_fits(box, txt) ? "" : txt);  // a time, a long version: whole in the tip
    remember_time(row, e.type, data, txt);
    // Software versions and display-only values are never written.
    enable_control(button, e.mode != EditMode::DisplayOnly && e.type != ParamType::swver);
    return true;
}

void show_row_unread(int row)
{
    if (row < 0 || row >= PAGE_ROWS) return;
    shownTimes[row].known = false;
    show_value_tip(row, "");
    set_field_text(IDC_VALUE_BOX + row, "");
    enable_control(IDC_ROW_BUTTON + row, false);
}

bool shown_time(int row, const char* text, int32_t* seconds)
{
    if (row < 0 || row >= PAGE_ROWS || !shownTimes[row].known || strcmp(shownTimes[row].text, text) != 0) return false;
    *seconds = shownTimes[row].seconds;
    return true;
}
