// Parameter write: value from the box or the default, range check, image, tag write, read-back,
// mark.
#include "dialog/write.h"

#include <string.h>

#include "dialog/row_value.h"
#include "dialog/surface.h"
#include "model/param_table.h"
#include "model/text_number.h"
#include "model/time_text.h"
#include "model/value_codec.h"
#include "tag/tag_memory.h"

namespace {

bool has_image(ParamType type)
{
    uint8_t image[MAX_IMAGE_SIZE];
    return encode_value(type, 0, image) != ENCODE_NOT_SUPPORTED;
}

// The number a Changeable box holds: a whole decimal number, or for a time also the text the
// tool shows for one. Anything else is refused rather than read up to its first odd character.
bool typed_value(int row, ParamType type, const char* text, int32_t* value)
{
    if (type == ParamType::time) return shown_time(row, text, value) || parse_time_entry(text, value) == TimeEntry::ok;
    return scan_whole_decimal(text, value) == NumberScan::ok;
}

}  // namespace

void write_param(int row)
{
    if (row < 0 || row >= PAGE_ROWS) return;
    const ParamEntry& e = record_at(currentPage, row);
    int box = IDC_VALUE_BOX + row;

    // One character more than the tool reads, to tell a text that is too long.
    char text[BOX_TEXT_SIZE + 1] = "";
    if (e.mode != EditMode::Default) {
        get_field_text(box, text, sizeof text);
        if (*skip_blanks(text) == '\0') return;  // nothing typed: nothing to write
    }
    if (!has_image(e.type)) {
        set_field_text(box, "Unknown Type");
        return;
    }
    // A display-only parameter is never written, whatever its button's state.
    if (e.mode == EditMode::DisplayOnly) return;

    int32_t value32 = e.defaultValue;
    bool understood =
        e.mode == EditMode::Default || (strlen(text) < BOX_TEXT_SIZE && typed_value(row, e.type, text, &value32));
    uint8_t data[IMAGE_BUFFER_SIZE];
    int size = understood ? encode_value(e.type, value32, data) : ENCODE_OUT_OF_RANGE;
    if (size == ENCODE_OUT_OF_RANGE || !tag_write_bytes(e.address, size, data)) {
        mark_field(box, true);
        return;
    }
    // Show what the tag now holds; a box that does not show what was written stays marked.
    uint8_t stored[IMAGE_BUFFER_SIZE];
    bool read = show_row_from_tag(row, stored);
    mark_field(box, !read || memcmp(stored, data, static_cast<size_t>(size)) != 0);
}
