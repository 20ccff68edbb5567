// Tag security steps: sector locking and password change.
#include "tag/security.h"

#include <stdio.h>

#include "model/config.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

namespace {

enum class Answer { accepted, refused, none };

// Sends a constant or formatted request and says whether the tag accepted it.
Answer send_security_request(const char* request)
{
    if (reader_send_receive(request, AnswerText) != 0) return Answer::none;
    return tag_answer_ok() ? Answer::accepted : Answer::refused;
}

}  // namespace

bool present_password(uint32_t pw)
{
    snprintf(CommandText, sizeof CommandText, "02B30201%8.8X", static_cast<unsigned>(pw));
    return reader_send_receive(CommandText, AnswerText) == 0;
}

LockOutcome lock_sectors()
{
    present_password(FACTORY_PASSWORD);
    Answer sector0 = send_security_request("02B2020009");
    if (sector0 == Answer::none) return LockOutcome::noAnswer;
    Answer sector32 = send_security_request("02B2022009");
    if (sector32 == Answer::none) return LockOutcome::noAnswer;
    if (sector32 == Answer::refused) {
        return sector0 == Answer::refused ? LockOutcome::bothRefused : LockOutcome::sector32Refused;
    }
    return sector0 == Answer::refused ? LockOutcome::sector0Refused : LockOutcome::locked;
}

PasswordOutcome write_password()
{
    present_password(FACTORY_PASSWORD);
    snprintf(CommandText, sizeof CommandText, "02B10201%8.8X", static_cast<unsigned>(password));
    switch (send_security_request(CommandText)) {
    case Answer::accepted: return PasswordOutcome::set;
    case Answer::refused: return PasswordOutcome::refused;
    case Answer::none: break;
    }
    return PasswordOutcome::noAnswer;
}
