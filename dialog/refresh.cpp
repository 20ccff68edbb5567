// Page refresh: UID into the caption, every row's value, "Not set" or "No answer"; and the
// scan timer's gentler variant.
#include "dialog/refresh.h"

#include <string.h>

#include "dialog/marking.h"
#include "dialog/reader_status.h"
#include "dialog/row_value.h"
#include "dialog/surface.h"
#include "model/param_table.h"
#include "model/value_codec.h"
#include "tag/identify.h"
#include "tag/tag_memory.h"

namespace {

const char kCaptionTemplate[] = "ORVELTIDE      xxxxxxxxxxxxxxxx   ";
const char kNoDevice[] = "ORVELTIDE   no device";
const char kNoReader[] = "ORVELTIDE";

char shownUid[UID_DIGITS + 1];  // "" when the caption shows none

// The UID most significant byte first; a digit the tag did not send shows as '?', so the caption
// keeps its length and never shows what an older answer left behind.
void show_uid(const char (&digits)[UID_DIGITS + 1])
{
    char caption[sizeof kCaptionTemplate];
    memcpy(caption, kCaptionTemplate, sizeof caption);
    memcpy(caption + 15, digits, UID_DIGITS);
    set_title(caption);
    memcpy(shownUid, digits, sizeof shownUid);
    if (memchr(shownUid, '?', UID_DIGITS) != nullptr) shownUid[0] = '\0';
}

enum class Refresh { full, scan };

// A scan leaves alone the box the user changed or is typing in, and the red boxes: it must not
// replace typed text nor wipe the only sign of a failed write. A read-only box with the focus
// (after its row's "def.", say) is no box being typed in: the scan updates it.
bool left_to_the_user(Refresh kind, int row)
{
    int box = IDC_VALUE_BOX + row;
    bool typing = box == focused_control() && record_at(currentPage, row).mode == EditMode::Changeable;
    return kind == Refresh::scan && (box_mark(box) == BoxMark::error || typing || field_modified(box));
}

// When the tag cannot be read, no row may keep a value of an earlier page or an earlier read:
// its button would write that value into the parameter now shown. Without a configuration row 0
// keeps saying so.
void show_rows_unread(Refresh kind, int firstRow)
{
    for (int row = firstRow; row < PAGE_ROWS; ++row) {
        if (left_to_the_user(kind, row) || (row == 0 && configuration_missing())) continue;
        unmark_row(row);
        show_row_unread(row);
    }
}

void refresh(Refresh kind)
{
    if (kind == Refresh::full) unmark_all();
    shownUid[0] = '\0';
    ReaderDetail detail;
    ReaderOutcome outcome = reader_open(&detail);
    if (outcome != ReaderOutcome::ok) {
        set_title(kNoReader);  // no UID that did not answer this refresh
        show_rows_unread(kind, 0);
        if (!left_to_the_user(kind, 0)) show_reader_problem(outcome);  // row 0 is the status line
        show_reader_reason(outcome, detail.library);
        return;
    }
    char uid[UID_DIGITS + 1];
    if (!tag_uid_digits(uid)) {
        set_title(kNoDevice);
        show_rows_unread(kind, 0);
        show_reader_reason(ReaderOutcome::noTag);
        return;
    }
    show_reader_reason(ReaderOutcome::ok);
    show_uid(uid);
    uint8_t data[IMAGE_BUFFER_SIZE];
    // The bound is the row number against entryCount, not the record number: on later pages
    // unused records (type 0) are visited too, and their hidden boxes get "Unknown Type".
    for (uint32_t row = 0; row < entryCount && row < PAGE_ROWS; ++row) {
        if (left_to_the_user(kind, static_cast<int>(row))) continue;
        unmark_row(static_cast<int>(row));  // a green box is green until its row is read again
        show_row_from_tag(static_cast<int>(row), data);
    }
}

}  // namespace

void refresh_page()
{
    refresh(Refresh::full);
}

void scan_page()
{
    refresh(Refresh::scan);
}

bool shown_uid(char* out, int size)
{
    if (shownUid[0] == '\0' || size < static_cast<int>(sizeof shownUid)) return false;
    memcpy(out, shownUid, sizeof shownUid);
    return true;
}
