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

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back (the civil-day
// algorithms: years counted from March, so that the leap day ends a year).
int64_t days_from_civil(int64_t y, int m, int d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, ShownTime* t)
{
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    t->day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t->month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t->year = static_cast<int>(yoe + era * 400 + (t->month <= 2));
}

const int64_t kDaySeconds = 86400;
const int64_t kUtcFirst = -62167219200LL;  // 0000-01-01 00:00:00
const int64_t kUtcLast = 253402300799LL;   // 9999-12-31 23:59:59

}  // namespace

void format_utc(int64_t seconds, char* txt, size_t size)
{
    if (seconds < kUtcFirst || seconds > kUtcLast) {
        snprintf(txt, size, "%lld", static_cast<long long>(seconds));
        return;
    }
    int64_t days = (seconds >= 0 ? seconds : seconds - (kDaySeconds - 1)) / kDaySeconds;
    int64_t rest = seconds - days * kDaySeconds;
    ShownTime t;
    civil_from_days(days, &t);
    snprintf(txt, size, "%04d-%02d-%02d %02d:%02d:%02d UTC", t.year, t.month, t.day, static_cast<int>(rest / 3600),
             static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
}

bool parse_utc(const char* text, int64_t* seconds)
{
    ShownTime t;
    if (strlen(text) != SHOWN_LENGTH + 4 || !read_shown_form(text, &t) || strcmp(text + SHOWN_LENGTH, " UTC") != 0)
        return false;
    if (t.year < 1970 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > days_in_month(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return false;
    *seconds = days_from_civil(t.year, t.month, t.day) * kDaySeconds + t.hour * 3600 + t.minute * 60 + t.second;
    return true;
}

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
