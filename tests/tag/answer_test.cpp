// Answers no well-behaved tag gives: error flags, missing or broken digits, short texts. None
// may be taken as data, reported as success or shown as a made-up UID.
#include <gtest/gtest.h>

#include "dialog/marking.h"
#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "fakes/fake_surface.h"
#include "fakes/reader_script.h"
#include "model/config.h"
#include "model/param_table.h"
#include "tag/reader.h"
#include "tag/security.h"
#include "tag/tag_memory.h"

namespace {

using Script = std::vector<ScriptedCall>;
using Log = std::vector<std::string>;

const char kGoodWrite[] = "80040078F000";

class Answers : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake_surface_reset();
        clear_table();
        currentPage = 0;
        password = 0;
    }
};

TEST_F(Answers, BlockDataNeedsEightDigitsAndNoErrorFlag)
{
    uint8_t out[8];
    const char* broken[] = {
        "8008"
        "01"
        "0F"
        "ABCD00",  // error flag: the payload is an error code
        "8008"
        "00"
        "12G45678"
        "0000",  // a non-digit among the eight
        "8008"
        "00"
        "1234",  // answer ends inside the data
        "80",    // too short to hold the flags
        "",
    };
    for (const char* answer : broken) {
        reader_script_set({{0, answer}});
        EXPECT_EQ(tag_read_bytes(0, 3, out), 0) << answer;
    }
    reader_script_set({{0, "8008"
                           "00"
                           "a1b2c3d4"
                           "0000"}});  // lower case is still hex
    ASSERT_EQ(tag_read_bytes(1, 3, out), 3);
    EXPECT_EQ(out[0], 0xB2);
    EXPECT_EQ(out[2], 0xD4);
}

TEST_F(Answers, AShortAnswerIsNotJudgedByTheOneBefore)
{
    // The first block write's answer is fine; the second answer is cut short after "80".
    const uint8_t value[6] = {1, 2, 3, 4, 5, 6};
    reader_script_set({{0, "8005000000000000"},
                       {0, "8008"
                           "00"
                           "11111111"
                           "0000"},
                       {0, "8008"
                           "00"
                           "22222222"
                           "0000"},
                       {0, kGoodWrite},
                       {0, "80"}});
    EXPECT_FALSE(tag_write_bytes(2, 6, value));
    EXPECT_EQ(reader_script_log(), (Log{"02B3020100000000", "022000", "022001", "02210011110102", "02210103040506"}));
}

TEST_F(Answers, SecurityStepsNeedAFullAnswer)
{
    password = 0x11223344;
    reader_script_set({{0, kGoodWrite}, {0, "80"}, {0, "8004"}, {0, kGoodWrite}, {0, "8"}});
    EXPECT_EQ(lock_sectors(), LockOutcome::bothRefused);  // "80" and "8004" hold no flags
    EXPECT_EQ(write_password(), PasswordOutcome::refused);
}

TEST_F(Answers, CaptionNeverShowsDigitsTheTagDidNotSend)
{
    // A full identification first, then one that ends after the fifth UID digit.
    reader_script_set({{0, ""},
                       {0, "0000"},
                       {0, "80120000F6E5D4C3B2A102E0000003FF0300000000"},
                       {0, ""},
                       {0, "0000"},
                       {0, "8012000FF6E5D"}});
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      E002A1B2C3D4E5F6   ");
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      ??????????D?E5F6   ");
    // The error flag: what follows is an error code and its checksum, not a UID.
    reader_script_set({{0, ""},
                       {0, "0000"},
                       {0, "800501"
                           "0F68EE00F6E5D4C3B2A102E0"}});
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      ????????????????   ");
}

TEST_F(Answers, LibraryFailuresAreFailures)
{
    uint8_t out[8];
    const uint8_t value[3] = {};
    reader_script_set({{1, "8008"
                           "00"
                           "12345678"
                           "0000"}});
    EXPECT_EQ(tag_read_bytes(0, 3, out), 0);
    reader_script_set({{0, ""},
                       {0, "8008"
                           "00"
                           "12345678"
                           "0000"},
                       {7, kGoodWrite}});
    EXPECT_FALSE(tag_write_bytes(0, 3, value));
    reader_script_set({{0, ""}, {2, kGoodWrite}});
    EXPECT_EQ(lock_sectors(), LockOutcome::noAnswer);
}

// A tag that acknowledges a write but keeps its old bytes: the box shows what the tag holds and
// stays marked, rather than showing the typed number as if it had been stored.
TEST_F(Answers, AWriteThatDidNotTakeStaysMarked)
{
    ParamEntry& e = ParamTable[entryCount++];
    e.type = ParamType::int8;
    e.mode = EditMode::Changeable;
    e.minValue = INT32_MIN, e.maxValue = INT32_MAX;  // no Min= or Max=: the type's range decides
    const char* oldBlock = "8008"
                           "00"
                           "05B155FF"
                           "0000";  // int8 5 and its CRC
    reader_script_set({{0, kGoodWrite}, {0, oldBlock}, {0, kGoodWrite}, {0, oldBlock}});
    set_field_text(1100, "7");
    write_param(0);
    EXPECT_EQ(reader_script_log(), (Log{"02B3020100000000", "022000", "022100079117FF", "022000"}));
    EXPECT_STREQ(fake_text(1100), "5");
    EXPECT_EQ(first_red_box(), 1100);
}

}  // namespace
