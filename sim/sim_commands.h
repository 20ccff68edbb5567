// The tag's side of a request: the ISO/IEC 15693 commands it carries out.
#pragma once

#include <cstddef>
#include <cstdint>

// The tag's reply to one request (flags byte and payload), without the reader's framing.
// Returns the reply length, or 0 when the tag stays silent.
size_t sim_tag_execute(const uint8_t* request, size_t length, uint8_t* reply);
enum { SIM_REPLY_MAX = 16, SIM_REQUEST_MAX = 24 };
