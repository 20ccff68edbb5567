// Tag security setup: sector locking and password change.
#include "tag/security.h"

#include <stdio.h>

#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "model/config.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

namespace {

// Sends a constant request; -1 when the library call failed, else whether the tag accepted.
int send_fixed(const char* request)
{
    if (reader_send_receive(request, AnswerText) != 0) return -1;
    return tag_answer_ok();
}

}  // namespace

bool lock_sectors()
{
    present_password(FACTORY_PASSWORD);
    int accepted = send_fixed("02B2020009");
    if (accepted < 0) return false;
    if (!accepted) set_field_text(ID_VALUE_BOX, "err lock 0");
    accepted = send_fixed("02B2022009");
    if (accepted < 0) return false;
    if (!accepted) set_field_text(ID_VALUE_BOX, "err lock 1");
    return true;
}

bool write_password()
{
    present_password(FACTORY_PASSWORD);
    snprintf(CommandText, sizeof CommandText, "02B10201%8.8X", static_cast<unsigned>(password));
    int accepted = send_fixed(CommandText);
    if (accepted < 0) return false;
    if (!accepted) set_field_text(ID_VALUE_BOX, "err set pwd");
    return true;
}

void security_setup()
{
    refresh_page();
    if (!lock_sectors()) set_field_text(ID_VALUE_BOX, "No answer");
    if (!write_password()) set_field_text(ID_VALUE_BOX + 1, "No answer");
}
