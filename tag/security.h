// The "ssec" button: protect two sectors of the tag with password 1 and set that password to
// the configured one.
#pragma once
#include <stdint.h>

// The tag's delivery-state password, presented before locking and before setting the new one.
enum : uint32_t { FACTORY_PASSWORD = 0x00000000 };

// Locks sectors 0 and 32 under password 1. False when a library call failed; tag-side
// refusals are reported in row 0's value box and do not stop the sequence.
bool lock_sectors();
// Sets password 1 to the configured password. False when the library call failed.
bool write_password();
// Refreshes the page, then locks and sets the password, reporting in rows 0 and 1.
void security_setup();
