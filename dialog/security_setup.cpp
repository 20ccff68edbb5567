// The "ssec" button's sequence and its messages. A refusal by the tag is reported in row 0 and
// the sequence goes on; a failed library call shows "No answer" in row 0 (locking) or row 1
// (password). The messages replace what the refresh put into those boxes.
#include "dialog/security_setup.h"

#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "tag/security.h"

namespace {

const char* lock_text(LockOutcome outcome)
{
    switch (outcome) {
    case LockOutcome::locked: break;
    case LockOutcome::sector0Refused: return "err lock 0";
    // The user sees one message: the refusal of the second sector replaces the first.
    case LockOutcome::sector32Refused:
    case LockOutcome::bothRefused: return "err lock 1";
    case LockOutcome::noAnswer: return "No answer";
    }
    return nullptr;
}

}  // namespace

void security_setup()
{
    refresh_page();
    const char* locking = lock_text(lock_sectors());
    if (locking != nullptr) set_field_text(IDC_VALUE_BOX, locking);
    switch (write_password()) {
    case PasswordOutcome::set: break;
    case PasswordOutcome::refused: set_field_text(IDC_VALUE_BOX, "err set pwd"); break;
    case PasswordOutcome::noAnswer: set_field_text(IDC_VALUE_BOX + 1, "No answer"); break;
    }
}
