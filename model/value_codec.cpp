// Value images: CRC, encoding and decoding for every parameter type.
#include "model/value_codec.h"

#include <stdio.h>

#include "model/time_text.h"

namespace {

const char kNotSet[] = "Not set";

// Value bytes of an image, by type; 0 when the type has no image.
int value_width(ParamType type)
{
    switch (type) {
    case ParamType::int8: return 1;
    case ParamType::int16: return 2;
    case ParamType::int32:
    case ParamType::time:
    case ParamType::swver: return 4;
    default: return 0;
    }
}

// The stored bits of a width-byte value as a signed number.
long long sign_extend(uint32_t bits, int width)
{
    long long span = 1LL << (8 * width);
    return bits >= static_cast<uint64_t>(span / 2) ? static_cast<long long>(bits) - span : bits;
}

void put_text(char* txt, size_t size, const char* text)
{
    snprintf(txt, size, "%s", text);
}

}  // namespace

uint16_t crc16_value(uint64_t v, int n)
{
    unsigned crc = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        unsigned b = static_cast<unsigned>(v >> (8 * i)) & 0xFF;
        for (int bit = 0; bit < 8; ++bit) {
            unsigned t = ((crc >> 15) ^ (b >> 7)) & 1;
            crc = (crc << 1) & 0xFFFF;
            if (t) crc ^= 0x1021;
            b = (b << 1) & 0xFF;
        }
    }
    return static_cast<uint16_t>(crc);
}

int stored_size(ParamType type)
{
    int width = value_width(type);
    return width ? width + 2 : 0;
}

bool type_range(ParamType type, int32_t* low, int32_t* high)
{
    switch (type) {
    case ParamType::int8: *low = INT8_MIN, *high = INT8_MAX; return true;
    case ParamType::int16: *low = INT16_MIN, *high = INT16_MAX; return true;
    case ParamType::int32:
    case ParamType::time: *low = INT32_MIN, *high = INT32_MAX; return true;
    default: return false;
    }
}

bool value_allowed(const ParamEntry& record, int32_t v)
{
    return !record.limited || (v >= record.minValue && v <= record.maxValue);
}

int encode_value(ParamType type, int32_t v, uint8_t* image)
{
    int width = value_width(type);
    int32_t low = 0, high = 0;
    if (!type_range(type, &low, &high)) return ENCODE_NOT_SUPPORTED;
    if (v < low || v > high) return ENCODE_OUT_OF_RANGE;
    uint32_t bits = static_cast<uint32_t>(v);
    if (width < 4) bits &= (1u << (8 * width)) - 1;
    for (int i = 0; i < width; ++i) image[i] = static_cast<uint8_t>(bits >> (8 * (width - 1 - i)));
    uint16_t crc = crc16_value(bits, width);
    image[width] = static_cast<uint8_t>(crc >> 8);
    image[width + 1] = static_cast<uint8_t>(crc);
    return width + 2;
}

bool stored_value(ParamType type, const uint8_t* bytes, int32_t* value)
{
    int width = value_width(type);
    if (width == 0) return false;
    uint32_t bits = 0;
    for (int i = 0; i < width; ++i) bits = (bits << 8) | bytes[i];
    uint16_t stored = static_cast<uint16_t>((bytes[width] << 8) | bytes[width + 1]);
    if (crc16_value(bits, width) != stored) return false;
    // A software version's number is major << 24 | minor << 16 | build, like an int32's bits.
    *value = static_cast<int32_t>(type == ParamType::swver ? bits : sign_extend(bits, width));
    return true;
}

void decode_value(ParamType type, const uint8_t* bytes, char* txt, size_t size)
{
    if (value_width(type) == 0) {
        put_text(txt, size, "Unknown Type");
        return;
    }
    int32_t value = 0;
    if (!stored_value(type, bytes, &value)) {
        put_text(txt, size, kNotSet);
        return;
    }
    switch (type) {
    case ParamType::time: format_time(value, txt, size); break;
    case ParamType::swver:  // major.minor.build
        snprintf(txt, size, "%u.%u.%u", static_cast<unsigned>(bytes[0]), static_cast<unsigned>(bytes[1]),
                 static_cast<unsigned>((bytes[2] << 8) | bytes[3]));
        break;
    default: snprintf(txt, size, "%ld", static_cast<long>(value)); break;
    }
}
