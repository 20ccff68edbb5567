// Stored value images: the worked images, decoding, erased memory, damage, range limits.
#include <gtest/gtest.h>
#include <time.h>

#include <string>
#include <vector>

#include "model/time_text.h"
#include "model/value_codec.h"
#include "support/reference_image.h"
#include "support/time_zone.h"

namespace {

std::vector<uint8_t> encoded(ParamType type, int32_t v)
{
    uint8_t image[MAX_IMAGE_SIZE] = {};
    int n = encode_value(type, v, image);
    return n > 0 ? std::vector<uint8_t>(image, image + n) : std::vector<uint8_t>();
}

std::string decoded(ParamType type, std::vector<uint8_t> bytes)
{
    bytes.resize(IMAGE_BUFFER_SIZE, 0xEE);
    char txt[DISPLAY_TEXT_SIZE];
    decode_value(type, bytes.data(), txt, sizeof txt);
    return txt;
}

using Bytes = std::vector<uint8_t>;

class ValueCodec : public ::testing::Test {
protected:
    void SetUp() override { set_time_zone("CET-1"); }
};

TEST_F(ValueCodec, WorkedImages)
{
    EXPECT_EQ(encoded(ParamType::int8, 0), (Bytes{0x00, 0xE1, 0xF0}));
    EXPECT_EQ(encoded(ParamType::int8, 5), (Bytes{0x05, 0xB1, 0x55}));
    EXPECT_EQ(encoded(ParamType::int16, 1), (Bytes{0x00, 0x01, 0x2E, 0x3E}));
    EXPECT_EQ(encoded(ParamType::int16, 300), (Bytes{0x01, 0x2C, 0x4E, 0xA5}));
    EXPECT_EQ(encoded(ParamType::int32, 1000), (Bytes{0x00, 0x00, 0x03, 0xE8, 0xDC, 0xB9}));
    EXPECT_EQ(encoded(ParamType::time, 1000), (Bytes{0x00, 0x00, 0x03, 0xE8, 0xDC, 0xB9}));
    EXPECT_EQ(decoded(ParamType::swver, {0x01, 0x02, 0x00, 0x03, 0x69, 0x5F}), "1.2.3");
    EXPECT_EQ(decoded(ParamType::int16, {0x01, 0x2C, 0x4E, 0xA5}), "300");
    EXPECT_EQ(decoded(ParamType::int32, {0x00, 0x00, 0x03, 0xE8, 0xDC, 0xB9}), "1000");
}

TEST_F(ValueCodec, CrcFeedsValueBytesLeastSignificantFirst)
{
    EXPECT_EQ(crc16_value(0x00, 1), 0xE1F0);
    EXPECT_EQ(crc16_value(0xFF, 1), 0xFF00);
    EXPECT_EQ(crc16_value(0xFFFF, 2), 0x0000);
    EXPECT_EQ(crc16_value(0xFFFFFFFF, 4), 0x1D0F);
    EXPECT_EQ(crc16_value(0x01020003, 4), 0x695F);
    // Bits above the counted bytes do not take part.
    EXPECT_EQ(crc16_value(0xABCD00000000ull | 1000, 4), 0xDCB9);
}

TEST_F(ValueCodec, SignedValuesAndTheirExtremes)
{
    EXPECT_EQ(decoded(ParamType::int8, reference_image(0x80, 1)), "-128");
    EXPECT_EQ(decoded(ParamType::int8, reference_image(0xFF, 1)), "-1");
    EXPECT_EQ(decoded(ParamType::int8, reference_image(0x7F, 1)), "127");
    EXPECT_EQ(decoded(ParamType::int16, {0xFF, 0xFF, 0x00, 0x00}), "-1");
    EXPECT_EQ(decoded(ParamType::int16, reference_image(0x8000, 2)), "-32768");
    EXPECT_EQ(decoded(ParamType::int32, reference_image(0x80000000u, 4)), "-2147483648");
    EXPECT_EQ(decoded(ParamType::int32, reference_image(0x7FFFFFFFu, 4)), "2147483647");
    EXPECT_EQ(decoded(ParamType::swver, reference_image(0x020A0100u, 4)), "2.10.256");
    EXPECT_EQ(decoded(ParamType::swver, reference_image(0xFFFFFFFEu, 4)), "255.255.65534");
}

TEST_F(ValueCodec, ErasedMemoryIsNeverAValue)
{
    Bytes erased(IMAGE_BUFFER_SIZE, 0xFF);
    for (ParamType type : {ParamType::int8, ParamType::int16, ParamType::int32, ParamType::time, ParamType::swver})
        EXPECT_EQ(decoded(type, erased), "Not set") << static_cast<int>(type);
}

TEST_F(ValueCodec, AnyFlippedBitOfValueOrCrcIsNotSet)
{
    struct Case {
        ParamType type;
        uint32_t value;
        int width;
    };
    for (Case c :
         {Case{ParamType::int8, 0x5A, 1}, Case{ParamType::int16, 0x1234, 2}, Case{ParamType::int32, 0xDEADBEEF, 4},
          Case{ParamType::swver, 0x01020003, 4}, Case{ParamType::time, 1700000000, 4}}) {
        Bytes image = reference_image(c.value, c.width);
        ASSERT_NE(decoded(c.type, image), "Not set");
        for (size_t bit = 0; bit < image.size() * 8; ++bit) {
            Bytes damaged = image;
            damaged[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
            EXPECT_EQ(decoded(c.type, damaged), "Not set") << "type " << static_cast<int>(c.type) << " bit " << bit;
        }
    }
}

TEST_F(ValueCodec, EncodingMatchesTheReferenceAndDecodesBack)
{
    const int32_t samples[] = {0,   1,     -1,     5,     127,  -128,      128,        -129,       255,
                               300, 32767, -32768, 65535, 1000, 123456789, -123456789, 2147483647, -2147483647 - 1};
    for (int32_t v : samples) {
        if (v >= -128 && v <= 127) {
            EXPECT_EQ(encoded(ParamType::int8, v), reference_image(static_cast<uint32_t>(v) & 0xFF, 1)) << v;
            EXPECT_EQ(decoded(ParamType::int8, encoded(ParamType::int8, v)), std::to_string(v));
        }
        if (v >= -32768 && v <= 32767) {
            EXPECT_EQ(encoded(ParamType::int16, v), reference_image(static_cast<uint32_t>(v) & 0xFFFF, 2)) << v;
            EXPECT_EQ(decoded(ParamType::int16, encoded(ParamType::int16, v)), std::to_string(v));
        }
        EXPECT_EQ(encoded(ParamType::int32, v), reference_image(static_cast<uint32_t>(v), 4)) << v;
        EXPECT_EQ(decoded(ParamType::int32, encoded(ParamType::int32, v)), std::to_string(v));
    }
    // A sweep over the whole int16 range.
    for (int32_t v = -32768; v <= 32767; v += 7)
        ASSERT_EQ(decoded(ParamType::int16, encoded(ParamType::int16, v)), std::to_string(v));
}

TEST_F(ValueCodec, RangeLimits)
{
    uint8_t image[MAX_IMAGE_SIZE];
    EXPECT_EQ(encode_value(ParamType::int8, 128, image), ENCODE_OUT_OF_RANGE);
    EXPECT_EQ(encode_value(ParamType::int8, -129, image), ENCODE_OUT_OF_RANGE);
    EXPECT_EQ(encode_value(ParamType::int16, 32768, image), ENCODE_OUT_OF_RANGE);
    EXPECT_EQ(encode_value(ParamType::int16, -32769, image), ENCODE_OUT_OF_RANGE);
    EXPECT_EQ(encode_value(ParamType::int32, -2147483647 - 1, image), 6);
    EXPECT_EQ(encode_value(ParamType::time, 2147483647, image), 6);
    for (ParamType type : {ParamType::swver, ParamType::empty, ParamType::none})
        EXPECT_EQ(encode_value(type, 1, image), ENCODE_NOT_SUPPORTED);
    EXPECT_EQ(stored_size(ParamType::int8), 3);
    EXPECT_EQ(stored_size(ParamType::int16), 4);
    EXPECT_EQ(stored_size(ParamType::time), 6);
    EXPECT_EQ(stored_size(ParamType::empty), 0);
}

TEST_F(ValueCodec, TimeIsShownInLocalTime)
{
    EXPECT_EQ(decoded(ParamType::time, reference_image(0, 4)), "1970-01-01 01:00:00");
    EXPECT_EQ(decoded(ParamType::time, reference_image(1700000000, 4)), "2023-11-14 23:13:20");
    EXPECT_EQ(decoded(ParamType::time, reference_image(0x7FFFFFFF, 4)), "2038-01-19 04:14:07");
}

TEST_F(ValueCodec, TimeBeforeTheEpochIsADateOrThePlainNumber)
{
    // Some C runtimes cannot convert negative times; the box then shows the seconds.
    time_t probe = -3600;
    const char* expected = localtime(&probe) ? "1970-01-01 00:00:00" : "-3600";
    EXPECT_EQ(decoded(ParamType::time, reference_image(static_cast<uint32_t>(-3600), 4)), expected);
    probe = -2147483647 - 1;
    expected = localtime(&probe) ? "1901-12-13 21:45:52" : "-2147483648";
    EXPECT_EQ(decoded(ParamType::time, reference_image(0x80000000u, 4)), expected);
}

// What a time box accepts: the shown form of an existing local time, or whole seconds.
TEST_F(ValueCodec, TimeEntryReadsTheShownFormAndSeconds)
{
    struct Row {
        const char* text;
        TimeEntry result;
        int32_t seconds;
    } rows[] = {
        {"2023-11-14 23:13:20", TimeEntry::ok, 1700000000},
        {"  2038-01-19 04:14:07 ", TimeEntry::ok, INT32_MAX},
        {"-1", TimeEntry::ok, -1},
        {"2038-01-19 04:14:08", TimeEntry::outOfRange, 0},
        {"9999999999", TimeEntry::outOfRange, 0},
        {"2024-02-29 00:00:00", TimeEntry::ok, 1709161200},
        {"2023-02-29 00:00:00", TimeEntry::noSuchTime, 0},
        {"2024-04-31 00:00:00", TimeEntry::noSuchTime, 0},
        {"2024-13-01 00:00:00", TimeEntry::noSuchTime, 0},
        {"2024-01-01 24:00:00", TimeEntry::noSuchTime, 0},
        {"2024-01-01 00:00:60", TimeEntry::noSuchTime, 0},
        {"2024-1-01 00:00:00", TimeEntry::notATime, 0},
        {"2024-01-01T00:00:00", TimeEntry::notATime, 0},
        {"2024-01-01 00:00", TimeEntry::notATime, 0},
        {"2024-01-01 00:00:00 CET", TimeEntry::notATime, 0},
        {"", TimeEntry::notATime, 0},
    };
    for (const Row& row : rows) {
        int32_t seconds = 0;
        EXPECT_EQ(parse_time_entry(row.text, &seconds), row.result) << row.text;
        if (row.result == TimeEntry::ok) {
            EXPECT_EQ(seconds, row.seconds) << row.text;
        }
    }
#ifndef _WIN32  // the Windows runtime knows no rules for the change of summer time
    set_time_zone("CET-1CEST,M3.5.0,M10.5.0/3");
    int32_t seconds = 0;
    EXPECT_EQ(parse_time_entry("2023-03-26 02:30:00", &seconds), TimeEntry::noSuchTime);  // the skipped hour
    EXPECT_EQ(parse_time_entry("2023-07-01 12:00:00", &seconds), TimeEntry::ok);
    EXPECT_EQ(seconds, 1688205600);  // 10:00 UTC in summer time
#endif
}

// Times in files and logs: the same text on every machine, read back only in exactly that form.
TEST_F(ValueCodec, UtcTextIsCalendarArithmeticAndReadsBackExactly)
{
    struct Row {
        int64_t seconds;
        const char* text;
    } rows[] = {
        {0, "1970-01-01 00:00:00 UTC"},
        {1700000000, "2023-11-14 22:13:20 UTC"},
        {-1, "1969-12-31 23:59:59 UTC"},
        {-2147483648LL, "1901-12-13 20:45:52 UTC"},
        {951782400, "2000-02-29 00:00:00 UTC"},
        {4107542400LL, "2100-03-01 00:00:00 UTC"},
        {-62167219200LL, "0000-01-01 00:00:00 UTC"},
        {253402300799LL, "9999-12-31 23:59:59 UTC"},
        {253402300800LL, "253402300800"},
    };
    for (const Row& row : rows) {
        char text[UTC_TEXT_SIZE];
        format_utc(row.seconds, text, sizeof text);
        EXPECT_STREQ(text, row.text) << row.seconds;
        int64_t back = 0;
        bool readable = row.seconds >= 0 && row.seconds <= 253402300799LL;
        EXPECT_EQ(parse_utc(text, &back), readable) << text;
        if (readable) {
            EXPECT_EQ(back, row.seconds) << text;
        }
    }
    const char* refused[] = {"2100-02-29 00:00:00 UTC",  "1969-12-31 23:59:59 UTC",  "2026-12-08 23:13:20",
                             "2026-12-08 23:13:20 UTC ", " 2026-12-08 23:13:20 UTC", "2026-12-08 23:13:20 CET",
                             "2026-12-08 24:00:00 UTC",  "2026-12-8 23:13:20 UTC"};
    for (const char* text : refused) {
        int64_t seconds = 0;
        EXPECT_FALSE(parse_utc(text, &seconds)) << text;
    }
}

TEST_F(ValueCodec, TextIsCutToTheBuffer)
{
    char txt[4];
    decode_value(ParamType::int32, reference_image(0x7FFFFFFFu, 4).data(), txt, sizeof txt);
    EXPECT_STREQ(txt, "214");
    decode_value(ParamType::int8, Bytes(8, 0xFF).data(), txt, sizeof txt);
    EXPECT_STREQ(txt, "Not");
}

}  // namespace
