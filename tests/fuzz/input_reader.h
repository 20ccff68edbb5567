// A reader library whose every result and answer come from the fuzzer's input, checking each
// request the program sends and keeping the exchanges for the targets' own checks.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct Exchange {
    std::string call;  // "connect", "check", or the command text
    int result;
    std::string answer;  // as the program received it
};

// Answers from these bytes from now on; once they run out every call fails with an empty answer.
void input_reader_start(const uint8_t* data, size_t size);
const std::vector<Exchange>& input_reader_log();
void input_reader_clear_log();

// Whether a text holds a well-formed request of the program: protocol selection "010D" for the
// select call, else one of its ISO/IEC 15693 requests with two-digit block numbers.
bool valid_select(const char* command);
bool valid_request(const char* command);
