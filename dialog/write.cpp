// Parameter write: value from the box or the default, range check, image, tag write, read-back,
// mark.
#include "dialog/write.h"

#include <stdio.h>
#include <string.h>

#include "dialog/marking.h"
#include "dialog/row_value.h"
#include "dialog/surface.h"
#include "model/config.h"
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
// tool shows for one. Anything else is refused rather than read up to its first odd character;
// why goes into reason.
bool typed_value(int row, ParamType type, const char* text, int32_t* value, char* reason, size_t size)
{
    if (type == ParamType::time) {
        if (shown_time(row, text, value)) return true;
        switch (parse_time_entry(text, value)) {
        case TimeEntry::ok: return true;
        case TimeEntry::notATime:
            snprintf(reason, size,
                     "\"%s\" is not a date in the shown form YYYY-MM-DD HH:MM:SS, nor a number of seconds.", text);
            break;
        case TimeEntry::noSuchTime: snprintf(reason, size, "\"%s\": there is no such date or local time.", text); break;
        case TimeEntry::outOfRange:
            snprintf(reason, size, "\"%s\" is outside the range of a time: 1970 to 2038, as this computer shows it.",
                     text);
            break;
        }
        return false;
    }
    switch (scan_whole_decimal(text, value)) {
    case NumberScan::ok: return true;
    case NumberScan::none:
        snprintf(reason, size,
                 "\"%s\" is not a whole number: type digits only, a minus sign first for a negative value.", text);
        break;
    case NumberScan::overflow:  // more than an int32_t holds, whatever the parameter's type
        snprintf(reason, size, "%s is outside the range of a 32-bit number: %ld to %ld.", text,
                 static_cast<long>(INT32_MIN), static_cast<long>(INT32_MAX));
        break;
    }
    return false;
}

// Why value may not be written, or false when it may: the parameter's own Min= and Max= are
// named as Pelox.ini's, so that nobody looks for a fault in the type. The parameter's name stays
// out of the reason, as it may be in a code page of its own.
bool refused_value(const ParamEntry& e, int32_t value, char* reason, size_t size)
{
    int32_t low = 0, high = 0;
    if (!type_range(e.type, &low, &high)) return false;
    bool narrowed = e.minValue > low || e.maxValue < high;
    if (narrowed && !value_allowed(e, value)) {
        snprintf(reason, size, "%ld is outside this parameter's range in Pelox.ini: %ld to %ld.",
                 static_cast<long>(value), static_cast<long>(e.minValue), static_cast<long>(e.maxValue));
        return true;
    }
    if (value >= low && value <= high) return false;
    snprintf(reason, size, "%ld is outside the range of %s: %ld to %ld.", static_cast<long>(value), type_name(e.type),
             static_cast<long>(low), static_cast<long>(high));
    return true;
}

// The texts the tool itself puts into a box where it has no value to show; left as they were
// set, they say that nothing was typed, and reading them as a number would only puzzle.
bool tool_text(int box, const char* text)
{
    return !field_modified(box) && (strcmp(text, "Not set") == 0 || strcmp(text, "No answer") == 0);
}

void write_failed(const TagWriteFault& fault, char* reason, size_t size)
{
    switch (fault.kind) {
    case TagWriteFault::none:
    case TagWriteFault::unreachable:
        snprintf(reason, size, "Not written: the parameter's address lies beyond the tag's memory (see Pelox.ini).");
        break;
    case TagWriteFault::noRead:
        snprintf(reason, size,
                 "No answer from the tag: nothing was written. Hold it still on the reader and try again.");
        break;
    case TagWriteFault::refused:
        snprintf(reason, size, "The tag refused block %d: the value was not written there (a protected sector?).",
                 fault.block);
        break;
    case TagWriteFault::noAnswer:
        snprintf(reason, size, "No answer while writing block %d: press \"read\" to see what the tag holds.",
                 fault.block);
        break;
    }
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

    char reason[MARK_REASON_SIZE];
    int32_t value32 = e.defaultValue;
    if (e.mode != EditMode::Default) {
        bool whole = strlen(text) < BOX_TEXT_SIZE, typed = !tool_text(box, text);
        if (!whole) snprintf(reason, sizeof reason, "Too long: a value has at most %d characters.", BOX_TEXT_SIZE - 1);
        else if (!typed)
            snprintf(reason, sizeof reason, "Type a value first: \"%s\" is what the tool shows, not a value to write.",
                     text);
        if (!whole || !typed || !typed_value(row, e.type, text, &value32, reason, sizeof reason)) {
            mark_refused(row, reason);
            return;
        }
    }
    if (refused_value(e, value32, reason, sizeof reason)) {
        mark_refused(row, reason);
        return;
    }
    uint8_t data[IMAGE_BUFFER_SIZE];
    int size = encode_value(e.type, value32, data);
    if (size <= 0) return;  // none after has_image and the range check; never a write of no bytes
    TagWriteFault fault;
    if (!tag_write_bytes(e.address, size, data, &fault)) {
        write_failed(fault, reason, sizeof reason);
        mark_refused(row, reason);
        return;
    }
    // Show what the tag now holds; a box that does not show what was written stays marked.
    uint8_t stored[IMAGE_BUFFER_SIZE];
    if (!show_row_from_tag(row, stored))
        mark_refused(row, "No answer when the value was read back: press \"read\" to see what the tag holds.");
    else if (memcmp(stored, data, static_cast<size_t>(size)) != 0)
        mark_refused(row, "The tag read back another value than was written: the box shows what it holds.");
    else mark_verified(row);
}
