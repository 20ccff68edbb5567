// The time zone of the fuzz targets.
#include "fuzz/fuzz_check.h"

#include <time.h>

#include "support/time_zone.h"

void fuzz_use_utc()
{
    set_time_zone("UTC0");
}
