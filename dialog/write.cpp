// Parameter write: value from the box or the default, range check, image, tag write, mark.
#include "dialog/write.h"

#include <stdio.h>

#include "dialog/surface.h"
#include "model/param_table.h"
#include "model/text_number.h"
#include "model/value_codec.h"
#include "tag/tag_memory.h"

void write_param(int row)
{
    if (row < 0 || row >= PAGE_ROWS) return;
    const ParamEntry& e = record_at(currentPage, row);
    int box = IDC_VALUE_BOX + row;

    int32_t value32 = e.defaultValue;
    if (e.mode != EditMode::Default) {
        char text[BOX_TEXT_SIZE];
        if (get_field_text(box, text, sizeof text) == 0) return;
        NumberScan scan = scan_decimal(text, &value32);
        if (scan == NumberScan::none) return;
        if (scan == NumberScan::overflow) {
            mark_field(box, true);
            return;
        }
    }

    uint8_t data[IMAGE_BUFFER_SIZE];
    int size = encode_value(e.type, value32, data);
    if (size == ENCODE_NOT_SUPPORTED) {
        set_field_text(box, "Unknown Type");
        return;
    }
    // A display-only parameter is never written, even through a button left enabled by the
    // page shown before: its box may still hold that page's value.
    if (e.mode == EditMode::DisplayOnly) return;
    if (size == ENCODE_OUT_OF_RANGE || !tag_write_bytes(e.address, size, data)) {
        mark_field(box, true);
        return;
    }
    mark_field(box, false);
    // A default written shows in the box; typed text stays, and a time waits for the refresh.
    if (e.mode == EditMode::Default && e.type != ParamType::time) {
        char txt[DISPLAY_TEXT_SIZE];
        snprintf(txt, sizeof txt, "%ld", static_cast<long>(value32));
        set_field_text(box, txt);
    }
}
