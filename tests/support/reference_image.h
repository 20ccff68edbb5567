// An independent reference for stored value images, used to state expected bytes in tests:
// the textbook CRC-16/CCITT-FALSE over a byte string, fed the value bytes in reverse.
#pragma once
#include <stdint.h>

#include <vector>

inline uint16_t reference_crc_ccitt_false(const uint8_t* bytes, int n)
{
    uint16_t crc = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        crc ^= static_cast<uint16_t>(bytes[i] << 8);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}

// Big-endian value bytes (width 1, 2 or 4) followed by the CRC of those bytes reversed.
inline std::vector<uint8_t> reference_image(uint32_t value, int width)
{
    std::vector<uint8_t> image;
    for (int i = width - 1; i >= 0; --i) image.push_back(static_cast<uint8_t>(value >> (8 * i)));
    std::vector<uint8_t> reversed(image.rbegin(), image.rend());
    uint16_t crc = reference_crc_ccitt_false(reversed.data(), width);
    image.push_back(static_cast<uint8_t>(crc >> 8));
    image.push_back(static_cast<uint8_t>(crc));
    return image;
}
