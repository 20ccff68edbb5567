// Stored image of a parameter value (big-endian value followed by its CRC-16, high byte
// first), its decoding into the value box text and its encoding from an integer.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "model/param_table.h"

enum {
    IMAGE_BUFFER_SIZE = 32,   // `data`: bytes read from or written to the tag
    DISPLAY_TEXT_SIZE = 256,  // `txt`: value box text
    MAX_IMAGE_SIZE = 6,
};

// Encoding results other than an image size.
enum { ENCODE_OUT_OF_RANGE = 0, ENCODE_NOT_SUPPORTED = -1 };

// CRC-16/CCITT-FALSE over the n (1, 2 or 4) low bytes of v, least significant byte first.
uint16_t crc16_value(uint64_t v, int n);

// Bytes a value of this type occupies in the tag (value + CRC); 0 for types without an image.
int stored_size(ParamType type);

// The values a type's image holds: int8 -128..127, int16 -32768..32767, int32 and time every
// signed 32-bit number. False for the types without an image.
bool type_range(ParamType type, int32_t* low, int32_t* high);
// Whether v lies within the parameter's Min= and Max=; true for a record that is not limited.
bool value_allowed(const ParamEntry& record, int32_t v);

// Writes the image of v into image (room for 6 bytes) and returns its size, or
// ENCODE_OUT_OF_RANGE when v does not fit the type, or ENCODE_NOT_SUPPORTED for swver,
// empty and unused slots.
int encode_value(ParamType type, int32_t v, uint8_t* image);

// The value of stored bytes (at least stored_size(type) of them) whose CRC matches: int8 and
// int16 sign-extended, a software version as major << 24 | minor << 16 | build. False for a
// CRC mismatch or a type without an image.
bool stored_value(ParamType type, const uint8_t* bytes, int32_t* value);

// Text for the stored bytes (at least stored_size(type) of them): the value, or "Not set" when
// the CRC does not match. Always NUL-terminates txt (size > 0).
void decode_value(ParamType type, const uint8_t* bytes, char* txt, size_t size);
