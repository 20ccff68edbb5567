// Bounded decimal and hexadecimal number reading.
#include "model/text_number.h"

int hex_digit_value(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool is_blank_char(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skip_blanks(const char* s)
{
    while (is_blank_char(*s)) ++s;
    return s;
}

NumberScan scan_decimal(const char* s, int32_t* value, const char** end)
{
    s = skip_blanks(s);
    bool negative = false;
    if (*s == '+' || *s == '-') negative = (*s++ == '-');
    if (*s < '0' || *s > '9') return NumberScan::none;
    // Accumulate the magnitude; 2147483648 is allowed only with a minus sign.
    int64_t magnitude = 0;
    bool overflow = false;
    for (; *s >= '0' && *s <= '9'; ++s) {
        if (!overflow) {
            magnitude = magnitude * 10 + (*s - '0');
            if (magnitude > 2147483648LL) overflow = true;
        }
    }
    if (end) *end = s;
    if (overflow || (!negative && magnitude > 2147483647LL)) return NumberScan::overflow;
    *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return NumberScan::ok;
}

NumberScan scan_whole_decimal(const char* s, int32_t* value)
{
    const char* end = nullptr;
    int32_t v = 0;
    NumberScan r = scan_decimal(s, &v, &end);
    if (r == NumberScan::none || *skip_blanks(end) != '\0') return NumberScan::none;
    if (r == NumberScan::ok) *value = v;
    return r;
}

NumberScan scan_hex(const char* s, uint32_t* value, const char** end)
{
    s = skip_blanks(s);
    bool negative = false;
    if (*s == '+' || *s == '-') negative = (*s++ == '-');
    // A "0x" prefix counts only when a hexadecimal digit follows; otherwise the 0 is the number.
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && hex_digit_value(s[2]) >= 0) s += 2;
    if (hex_digit_value(*s) < 0) return NumberScan::none;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (int d; (d = hex_digit_value(*s)) >= 0; ++s) {
        if (!overflow) {
            magnitude = magnitude * 16 + static_cast<uint64_t>(d);
            if (magnitude > 0xFFFFFFFFull) overflow = true;
        }
    }
    if (end) *end = s;
    if (overflow) return NumberScan::overflow;
    uint32_t v = static_cast<uint32_t>(magnitude);
    *value = negative ? 0u - v : v;
    return NumberScan::ok;
}
