// The local time zone for tests.
#include "support/time_zone.h"

#include <stdlib.h>
#include <time.h>

#include <string>

void set_time_zone(const char* tz)
{
#ifdef _WIN32
    std::string setting = std::string("TZ=") + tz;
    _putenv(setting.c_str());
    _tzset();
#else
    setenv("TZ", tz, 1);
    tzset();
#endif
}
