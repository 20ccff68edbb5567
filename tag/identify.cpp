// Which tag is in the field: its UID from the system information answer.
#include "model/text_number.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

bool tag_identify(uint64_t* uid)
{
    if (reader_send_receive("022B", AnswerText) != 0 || !tag_answer_ok()) return false;
    // Characters 6-7 are the information flags; the UID follows, least significant byte first.
    uint64_t value = 0;
    for (int byte = 0; byte < 8; ++byte) {
        int high = hex_digit_value(AnswerText[8 + 2 * byte]);
        int low = high < 0 ? -1 : hex_digit_value(AnswerText[9 + 2 * byte]);
        if (low < 0) return false;
        value |= static_cast<uint64_t>(high * 16 + low) << (8 * byte);
    }
    *uid = value;
    return true;
}
