// Which tag is in the field: its UID from the system information answer.
#include "tag/identify.h"

#include <string.h>

#include "model/text_number.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

bool tag_uid_digits(char (&digits)[UID_DIGITS + 1], int* result)
{
    int called = reader_send_receive("022B", AnswerText);
    if (result != nullptr) *result = called;
    if (called != 0) return false;
    // Characters 6-7 are the information flags; the UID follows at 8 to 23, least significant
    // byte first. An answer with the error flag holds an error code there, no UID.
    size_t length = tag_answer_ok() ? strnlen(AnswerText, sizeof AnswerText) : 0;
    for (int byte = 0; byte < 8; ++byte) {
        for (int half = 0; half < 2; ++half) {
            size_t at = static_cast<size_t>(8 + 2 * byte + half);
            bool digit = at < length && hex_digit_value(AnswerText[at]) >= 0;
            digits[2 * (7 - byte) + half] = digit ? AnswerText[at] : '?';
        }
    }
    digits[UID_DIGITS] = '\0';
    return true;
}

bool tag_identify(uint64_t* uid)
{
    char digits[UID_DIGITS + 1];
    if (!tag_uid_digits(digits)) return false;
    uint64_t value = 0;
    for (int i = 0; i < UID_DIGITS; ++i) {
        int digit = hex_digit_value(digits[i]);
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    *uid = value;
    return true;
}
