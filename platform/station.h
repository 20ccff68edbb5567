// The name of the computer a production or verifying station runs on, for its log rows.
#pragma once
#include <stddef.h>

enum { STATION_NAME_SIZE = 64 };

// The computer's name (UTF-8), cut to size; "unknown" when the system does not tell it.
void station_name(char* out, size_t size);
