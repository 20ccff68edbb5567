// Showing and reading time values in the machine's local time.
#include "model/time_text.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "model/text_number.h"

namespace {

const char kShownForm[] = "%Y-%m-%d %H:%M:%S";
enum { SHOWN_LENGTH = 19 };  // YYYY-MM-DD HH:MM:SS

bool digits(const char* s, int count, int* value)
{
    int v = 0;
    for (int i = 0; i < count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    *value = v;
    return true;
}

bool leap_year(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap_year(year) ? 29 : kDays[month - 1];
}

struct ShownTime {
    int year, month, day, hour, minute, second;
};

// The 19 characters of the shown form, separators exactly where the tool puts them.
bool read_shown_form(const char* s, ShownTime* t)
{
    return digits(s, 4, &t->year) && s[4] == '-' && digits(s + 5, 2, &t->month) && s[7] == '-' &&
           digits(s + 8, 2, &t->day) && s[10] == ' ' && digits(s + 11, 2, &t->hour) && s[13] == ':' &&
           digits(s + 14, 2, &t->minute) && s[16] == ':' && digits(s + 17, 2, &t->second);
}

TimeEntry local_seconds(const char* shown, const ShownTime& t, int32_t* seconds)
{
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > days_in_month(t.year, t.month) || t.hour > 23 ||
        t.minute > 59 || t.second > 59)
        return TimeEntry::noSuchTime;
    struct tm local = {};
    local.tm_year = t.year - 1900;
    local.tm_mon = t.month - 1;
    local.tm_mday = t.day;
    local.tm_hour = t.hour;
    local.tm_min = t.minute;
    local.tm_sec = t.second;
    local.tm_isdst = -1;  // the zone's own rule decides summer time
    time_t value = mktime(&local);
    if (value != static_cast<time_t>(-1) && (value < INT32_MIN || value > INT32_MAX)) return TimeEntry::outOfRange;
    // mktime moves a time that does not exist (the hour skipped in spring) and reports -1 both
    // for a failure and for one real second: only a time shown back as typed was understood. A
    // failure means the runtime's clock cannot hold the date (a 32-bit one beyond 2038, the
    // Windows one before 1970).
    char back[TIME_TEXT_SIZE];
    format_time(static_cast<int32_t>(value), back, sizeof back);
    if (strncmp(back, shown, SHOWN_LENGTH) != 0 || back[SHOWN_LENGTH] != '\0')
        return value == static_cast<time_t>(-1) ? TimeEntry::outOfRange : TimeEntry::noSuchTime;
    *seconds = static_cast<int32_t>(value);
    return TimeEntry::ok;
}

}  // namespace

void format_time(int32_t seconds, char* txt, size_t size)
{
    time_t t = seconds;
    const struct tm* local = localtime(&t);
    char when[TIME_TEXT_SIZE];
    if (local == nullptr || strftime(when, sizeof when, kShownForm, local) == 0) {
        snprintf(txt, size, "%ld", static_cast<long>(seconds));
        return;
    }
    snprintf(txt, size, "%s", when);
}

TimeEntry parse_time_entry(const char* text, int32_t* seconds)
{
    const char* s = skip_blanks(text);
    ShownTime t;
    if (strlen(s) >= SHOWN_LENGTH && read_shown_form(s, &t) && *skip_blanks(s + SHOWN_LENGTH) == '\0')
        return local_seconds(s, t, seconds);
    switch (scan_whole_decimal(text, seconds)) {
    case NumberScan::ok: return TimeEntry::ok;
    case NumberScan::overflow: return TimeEntry::outOfRange;
    case NumberScan::none: break;
    }
    return TimeEntry::notATime;
}
