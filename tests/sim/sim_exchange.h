// Helpers for the simulator's tests: one exchange as a result and an answer text.
#pragma once

#include <cstring>
#include <string>

#include "sim/sim_tag.h"

struct Exchange {
    int result;
    std::string answer;
};

inline Exchange send(const char* request)
{
    char answer[SIM_ANSWER_SIZE];
    std::memset(answer, '?', sizeof answer);
    int result = sim_reader_send_receive(request, answer);
    return {result, std::string(answer, strnlen(answer, sizeof answer))};
}

inline Exchange select_protocol(const char* protocol = "010D")
{
    char answer[SIM_ANSWER_SIZE] = "";
    int result = sim_reader_select(protocol, answer);
    return {result, answer};
}

// Framed answers, worked out by hand with an independent CRC routine.
constexpr const char* DONE = "80040078F000";                  // flags 00, no payload
constexpr const char* ERASED_BLOCK = "800800FFFFFFFFEE3C00";  // flags 00, FF FF FF FF
constexpr const char* ERR_OTHER = "8005010F68EE00";
constexpr const char* ERR_NO_BLOCK = "800501101E0600";
constexpr const char* ERR_ALREADY_LOCKED = "80050111971700";
constexpr const char* ERR_WRITE_LOCKED = "800501120C2500";
constexpr const char* ERR_WRITE_FAILED = "80050113853400";
constexpr const char* ERR_READ_LOCKED = "80050115B35100";
constexpr const char* NO_FRAME = "8700";
