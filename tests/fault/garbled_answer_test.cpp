// Answers whose digits are not all what they should be: the caption keeps only the hexadecimal
// digits the tag sent, and block data with a stray character is no data at all.
#include <gtest/gtest.h>

#include "dialog/refresh.h"
#include "fakes/fake_surface.h"
#include "fakes/reader_script.h"
#include "model/param_table.h"
#include "tag/tag_memory.h"

namespace {

class GarbledAnswer : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake_surface_reset();
        clear_table();
        currentPage = 0;
    }
    // connect, select, then the identification answer.
    static void identify(const char* answer)
    {
        reader_script_set({{0, ""}, {0, "0000"}, {0, answer}});
        refresh_page();
    }
};

TEST_F(GarbledAnswer, CaptionShowsOnlyHexDigitsAsSent)
{
    identify("8012000F"
             "f6e5d4c3b2a102e0"
             "000003FF0300000000");
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      e002a1b2c3d4e5f6   ");
    // A blank, a G, a z, a dot and a character beyond 'f' where digits should be.
    identify("8012000F"
             "F6 5GzC.B2A102Eg"
             "000003FF0300000000");
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      E?02A1B2C????5F6   ");
}

TEST_F(GarbledAnswer, BlockDataWithAStrayCharacterIsNoData)
{
    uint8_t out[8];
    const char* stray[] = {"8008"
                           "00"
                           "1234567g"
                           "0000",
                           "8008"
                           "00"
                           "12 45678"
                           "0000",
                           "8008"
                           "00"
                           "1234567"
                           "\x7f"
                           "0000"};
    for (const char* answer : stray) {
        reader_script_set({{0, answer}});
        EXPECT_EQ(tag_read_bytes(0, 3, out), 0) << answer;
    }
    reader_script_set({{0, "8008"
                           "00"
                           "abcdefAB"
                           "0000"}});
    ASSERT_EQ(tag_read_bytes(0, 3, out), 4);
    EXPECT_EQ(out[0], 0xAB);
    EXPECT_EQ(out[1], 0xCD);
    EXPECT_EQ(out[3], 0xAB);
}

}  // namespace
