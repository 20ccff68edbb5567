// Which tag is in the field: the UID of its system information answer.
#pragma once
#include <stdint.h>

enum { UID_DIGITS = 16 };

// Asks the tag in the field for its system information ("022B"). False when nothing answered
// (the library call failed; result, when given, receives the call's result). Otherwise digits holds the UID, most
// significant byte first, as 16 hex digits and a NUL, with '?' for each digit the answer does not carry: all 16 when
// the answer has the tag's error flag, the missing tail when it ended early.
bool tag_uid_digits(char (&digits)[UID_DIGITS + 1], int* result = nullptr);

// The UID as a number. False when nothing answered, the answer carries the error flag, or it
// lacks any of the UID's 16 hex digits.
bool tag_identify(uint64_t* uid);
