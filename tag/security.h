// The security steps behind the "ssec" button: protect two sectors of the tag with password 1
// and set that password to the configured one.
#pragma once
#include <stdint.h>

// The tag's delivery-state password, presented before locking and before setting the new one.
enum : uint32_t { FACTORY_PASSWORD = 0x00000000 };

// Presents password 1 to the tag; true when the library call succeeded.
bool present_password(uint32_t pw);

// How locking sectors 0 and 32 ended. A refusal by the tag does not stop the sequence; a failed
// library call does.
enum class LockOutcome {
    locked,
    sector0Refused,   // the tag refused sector 0, then locked sector 32
    sector32Refused,  // sector 0 locked, sector 32 refused
    bothRefused,
    noAnswer,  // a library call failed (whatever the tag said before)
};

// How setting password 1 ended.
enum class PasswordOutcome { set, refused, noAnswer };

// Presents the factory password and locks sectors 0 and 32 under password 1.
LockOutcome lock_sectors();
// Presents the factory password and sets password 1 to the configured password.
PasswordOutcome write_password();
