// Page refresh: UID into the caption, every row's value, "Not set" or "No answer".
#include "dialog/refresh.h"

#include <string.h>

#include "dialog/reader_status.h"
#include "dialog/surface.h"
#include "model/param_table.h"
#include "model/text_number.h"
#include "model/value_codec.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

namespace {

const char kCaptionTemplate[] = "ORVELTIDE      xxxxxxxxxxxxxxxx   ";
const char kNoDevice[] = "ORVELTIDE   no device";

// Answer character i, or '?' where the answer has no hex digit (it ended early): the caption
// keeps its length and never shows what an older answer left in the buffer.
char uid_digit(size_t length, int i)
{
    return static_cast<size_t>(i) < length && hex_digit_value(AnswerText[i]) >= 0 ? AnswerText[i] : '?';
}

// The UID comes least significant byte first at answer characters 8 to 23; the caption shows
// it most significant first. An answer with the tag's error flag holds an error code there.
void show_uid()
{
    char caption[sizeof kCaptionTemplate];
    memcpy(caption, kCaptionTemplate, sizeof caption);
    size_t length = tag_answer_ok() ? strnlen(AnswerText, sizeof AnswerText) : 0;
    for (int k = 0; k < 8; ++k) {
        caption[15 + 2 * k] = uid_digit(length, 22 - 2 * k);
        caption[16 + 2 * k] = uid_digit(length, 23 - 2 * k);
    }
    set_title(caption);
}

void show_no_device()
{
    set_title(kNoDevice);
    for (int row = 0; row < PAGE_ROWS; ++row) set_field_text(IDC_VALUE_BOX + row, "");
}

void refresh_row(int row)
{
    const ParamEntry& e = record_at(currentPage, row);
    int box = IDC_VALUE_BOX + row;
    int button = IDC_ROW_BUTTON + row;
    uint8_t data[IMAGE_BUFFER_SIZE];
    char txt[DISPLAY_TEXT_SIZE];
    switch (e.type) {
    case ParamType::int8:
    case ParamType::int16:
    case ParamType::int32:
    case ParamType::time:
    case ParamType::swver:
        if (tag_read_bytes(e.address, stored_size(e.type), data) == 0) {
            set_field_text(box, "No answer");
            enable_control(button, false);
            return;
        }
        decode_value(e.type, data, txt, sizeof txt);
        set_field_text(box, txt);
        // A software version is never written: its button keeps whatever state it had.
        if (e.type != ParamType::swver) enable_control(button, e.mode != EditMode::DisplayOnly);
        return;
    default: set_field_text(box, "Unknown Type"); return;
    }
}

}  // namespace

void refresh_page()
{
    if (!open_reader()) return;
    if (reader_send_receive("022B", AnswerText) != 0) {
        show_no_device();
        return;
    }
    errorField = NO_FIELD;
    show_uid();
    // The bound is the row number against entryCount, not the record number: on later pages
    // unused records (type 0) are visited too, and their hidden boxes get "Unknown Type".
    for (uint32_t row = 0; row < entryCount && row < PAGE_ROWS; ++row) refresh_row(static_cast<int>(row));
}
