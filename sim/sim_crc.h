// The frame CRC of ISO/IEC 15693.
#pragma once

#include <cstddef>
#include <cstdint>

// ISO/IEC 15693 frame CRC (reflected polynomial 0x8408, preset 0xFFFF, complemented).
uint16_t sim_crc16(const uint8_t* data, size_t length);
