// The local time zone of the C runtime for tests, on Linux and under Wine alike.
#pragma once

// Sets it from a POSIX TZ value, e.g. "CET-1".
void set_time_zone(const char* tz);
