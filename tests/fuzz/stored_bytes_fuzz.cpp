// Fuzz target: the value codec alone. Arbitrary stored bytes are decoded as every type into text
// buffers of every small size; arbitrary values are encoded and decoded again. Expectations come
// from the reference CRC and our own decimal and calendar texts, never from the codec.
#include <string.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/reference_text.h"
#include "model/value_codec.h"

namespace {

const ParamType kAllTypes[] = {ParamType::none, ParamType::int8,  ParamType::int16, ParamType::int32,
                               ParamType::time, ParamType::swver, ParamType::empty};

// Decodes into a buffer of `size` characters followed by guard bytes that must stay untouched.
std::string decode_into(ParamType type, const uint8_t* bytes, size_t size)
{
    char buffer[DISPLAY_TEXT_SIZE + 16];
    memset(buffer, 0x5A, sizeof buffer);
    decode_value(type, bytes, buffer, size);
    for (size_t i = size; i < sizeof buffer; ++i)
        FUZZ_CHECK(buffer[i] == 0x5A, "byte %zu beyond a %zu-byte text", i, size);
    FUZZ_CHECK(memchr(buffer, '\0', size) != nullptr, "text of %zu bytes not terminated", size);
    return buffer;
}

void check_decoding(const uint8_t* bytes, size_t small)
{
    for (ParamType type : kAllTypes) {
        std::string expected = reference_decode(type, bytes);
        std::string text = decode_into(type, bytes, DISPLAY_TEXT_SIZE);
        FUZZ_CHECK(text == expected, "type %d: \"%s\", expected \"%s\"", static_cast<int>(type), text.c_str(),
                   expected.c_str());
        // A short buffer holds the start of the same text.
        std::string cut = decode_into(type, bytes, small);
        FUZZ_CHECK(expected.compare(0, cut.size(), cut) == 0 && cut.size() == std::min(expected.size(), small - 1),
                   "type %d in %zu bytes: \"%s\"", static_cast<int>(type), small, cut.c_str());
    }
}

bool fits(ParamType type, int64_t v)
{
    if (type == ParamType::int8) return v >= -128 && v <= 127;
    if (type == ParamType::int16) return v >= -32768 && v <= 32767;
    return true;
}

void check_round_trip(int32_t v, unsigned flip)
{
    for (ParamType type : kAllTypes) {
        uint8_t image[IMAGE_BUFFER_SIZE];
        memset(image, 0xA5, sizeof image);
        int size = encode_value(type, v, image);
        int width = reference_width(type);
        if (width == 0 || type == ParamType::swver) {
            FUZZ_CHECK(size == ENCODE_NOT_SUPPORTED, "type %d encoded", static_cast<int>(type));
            continue;
        }
        if (!fits(type, v)) {
            FUZZ_CHECK(size == ENCODE_OUT_OF_RANGE, "type %d took %ld", static_cast<int>(type), static_cast<long>(v));
            continue;
        }
        uint32_t bits = static_cast<uint32_t>(v) & (width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1);
        std::vector<uint8_t> expected = reference_image(bits, width);
        FUZZ_CHECK(size == static_cast<int>(expected.size()) && std::equal(expected.begin(), expected.end(), image),
                   "type %d value %ld: wrong image", static_cast<int>(type), static_cast<long>(v));
        for (int i = size; i < IMAGE_BUFFER_SIZE; ++i) FUZZ_CHECK(image[i] == 0xA5, "image byte %d written", i);

        std::string text = decode_into(type, image, DISPLAY_TEXT_SIZE);
        std::string want = type == ParamType::time ? reference_utc_text(v) : std::to_string(static_cast<long long>(v));
        FUZZ_CHECK(text == want, "type %d: %ld came back as \"%s\"", static_cast<int>(type), static_cast<long>(v),
                   text.c_str());
        // Every single-bit error in the image is caught.
        unsigned bit = flip % (8u * static_cast<unsigned>(size));
        image[bit / 8] = static_cast<uint8_t>(image[bit / 8] ^ (1u << (bit % 8)));
        text = decode_into(type, image, DISPLAY_TEXT_SIZE);
        FUZZ_CHECK(text == "Not set", "type %d value %ld with bit %u flipped: \"%s\"", static_cast<int>(type),
                   static_cast<long>(v), bit, text.c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_use_utc();
    return 0;
}

// Input: a text buffer size byte, then the stored bytes (as many as the largest image, padded
// with zeros). The first four stored bytes also give the value of the round trip, the fifth the
// bit to flip.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size == 0) return 0;
    size_t small = 1 + data[0] % 40;
    uint8_t bytes[IMAGE_BUFFER_SIZE] = {};
    memcpy(bytes, data + 1, std::min(size - 1, sizeof bytes));
    check_decoding(bytes, small);
    int32_t v = static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
                                     static_cast<uint32_t>(bytes[2]) << 8 | bytes[3]);
    check_round_trip(v, bytes[4]);
    // Small values too, where the narrow types accept them.
    check_round_trip(static_cast<int8_t>(bytes[1]), bytes[5]);
    check_round_trip(static_cast<int16_t>(bytes[2] << 8 | bytes[3]), bytes[6]);
    return 0;
}
