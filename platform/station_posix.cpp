// The computer's name on Linux: the host name.
#include <stdio.h>
#include <unistd.h>

#include "platform/station.h"

void station_name(char* out, size_t size)
{
    if (size == 0) return;
    char name[256] = "";
    // gethostname need not end a name it had to cut: the last byte is kept for the NUL.
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') snprintf(name, sizeof name, "unknown");
    snprintf(out, size, "%s", name);
}
