// Bounded number reading from configuration and box text: what "%d", "%x" and atoi would read,
// except that a number that does not fit 32 bits is reported instead of overflowing.
#pragma once
#include <stdint.h>

enum class NumberScan { ok, none, overflow };

// White space as the C library's isspace() has it in the "C" locale.
bool is_blank_char(char c);
const char* skip_blanks(const char* s);

// Value of a hexadecimal digit of either case, -1 for any other character.
int hex_digit_value(char c);

// Leading white space, an optional sign, decimal digits; stops at the first other character.
// On ok, *end (when given) points just after the digits.
NumberScan scan_decimal(const char* s, int32_t* value, const char** end = nullptr);

// A whole text that is one decimal number: optional blanks, an optional sign, digits, optional
// blanks, nothing else. none for any other text (hex, a decimal point, a unit, a separator,
// nothing at all); overflow when the digits do not fit a signed 32-bit number.
NumberScan scan_whole_decimal(const char* s, int32_t* value);

// Leading white space, an optional sign, an optional 0x or 0X, hexadecimal digits. A minus sign
// negates modulo 2^32, as "%x" does. The digits' magnitude must fit 32 bits.
NumberScan scan_hex(const char* s, uint32_t* value, const char** end = nullptr);
