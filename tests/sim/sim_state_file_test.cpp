// The simulator's state file: what it holds, a faithful round trip, and reading damaged files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/sim_file.h"
#include "sim/sim_state_read.h"
#include "sim/sim_state_write.h"
#include "sim_exchange.h"
#include "support/temp_files.h"

namespace {

std::string state_text()
{
    std::vector<char> text(sim_state_write_text(nullptr, 0) + 1);
    sim_state_write_text(text.data(), text.size());
    return text.data();
}

void set_up_unusual_tag()
{
    sim_reset();
    sim_set_uid(0xE00211223344AA55ull);
    sim_set_system_info(0x01, 0x02, 0x03);
    ASSERT_TRUE(sim_set_block_count(128));
    ASSERT_TRUE(sim_set_password(1, 0x11223344));
    ASSERT_TRUE(sim_set_password(3, 0xFFFFFFFE));
    ASSERT_TRUE(sim_set_sector_status(1, 0x09));
    ASSERT_TRUE(sim_set_block(10, 0x12345678));
    ASSERT_TRUE(sim_set_block(255, 0x00000000));
    sim_set_reader_absent(true);
    sim_set_select_refused(true);
    sim_leave_field();
    sim_leave_field_after(7);
    sim_set_delay_us(4000);
    ASSERT_TRUE(sim_fail_call(SIM_WRITE_BLOCK, 2));
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 1, 0x12));
}

TEST(SimStateFile, WritesEveryKeyReadably)
{
    set_up_unusual_tag();
    std::string text = state_text();
    for (const char* line : {"\nuid E00211223344AA55\n",
                             "\ndsfid 01\n",
                             "\nafi 02\n",
                             "\nic_reference 03\n",
                             "\nblocks 128\n",
                             "\npassword 1 11223344\n",
                             "\npassword 2 00000000\n",
                             "\npassword 3 FFFFFFFE\n",
                             "\nsector 0 00\n",
                             "\nsector 1 09\n",
                             "\ntag_absent 1\n",
                             "\nreader_absent 1\n",
                             "\nselect_refused 1\n",
                             "\nleave_after 7\n",
                             "\ndelay_us 4000\n",
                             "\nfail_call write_block 2\n",
                             "\nflag_answer lock_sector 1 12\n",
                             "\nblock 0 FFFFFFFF\n",
                             "\nblock 10 12345678\n",
                             "\nblock 255 00000000\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    EXPECT_EQ('#', text[0]);
}

TEST(SimStateFile, ReadingWhatWasWrittenRestoresTheState)
{
    set_up_unusual_tag();
    std::string text = state_text();
    sim_reset();
    sim_state_read_text(text.c_str());
    EXPECT_EQ(0xE00211223344AA55ull, sim_uid());
    EXPECT_EQ(128, sim_block_count());
    EXPECT_EQ(0x11223344u, sim_password(1));
    EXPECT_EQ(0xFFFFFFFEu, sim_password(3));
    EXPECT_EQ(0x09, sim_sector_status(1));
    EXPECT_EQ(0x12345678u, sim_block(10));
    EXPECT_EQ(0u, sim_block(255));
    EXPECT_TRUE(sim_reader_absent());
    EXPECT_TRUE(sim_select_refused());
    EXPECT_FALSE(sim_in_field());
    EXPECT_EQ(4000u, sim_delay_us());
    EXPECT_EQ(2, sim_pending_faults());
    EXPECT_EQ(text, state_text());
}

TEST(SimStateFile, RestoredFaultsFireWhereTheyWouldHave)
{
    sim_reset();
    ASSERT_TRUE(sim_fail_call(SIM_WRITE_BLOCK, 2));
    ASSERT_TRUE(sim_flag_answer(SIM_READ_BLOCK, 2, 0x10));
    sim_leave_field_after(3);
    send("022100AABBCCDD");
    send("022000");
    sim_state_read_text(state_text().c_str());
    EXPECT_EQ(ERR_NO_BLOCK, send("022000").answer);
    EXPECT_EQ(SIM_INJECTED, send("022100AABBCCDD").result);
    EXPECT_EQ(SIM_NO_TAG, send("022B").result);
}

TEST(SimStateFile, DamagedLinesAreSkippedAndMissingKeysKeepFactoryValues)
{
    sim_reset();
    sim_set_uid(0x1234);
    std::string text =
        "uid XYZ\nuid 1E00211223344AA55\nblocks 0\nblocks 257\nblocks -5\npassword 4 1\n"
        "password 1 123456789\npassword 0 1\nsector 8 01\nsector 0 20\ntag_absent 2\n"
        "block 255 00000000 11111111\nblock 3 1234567\nblock 4 12345678 9\nblock 2 DEADBEEF # kept\n"
        "fail_call read_block 0\nfail_call nothing 1\nflag_answer connect 1\ndelay_us 99999999999999999999\n"
        "leave_after soon\n" +
        std::string(400, 'x') +
        "\nafi 7\n\x01\xff\x7f garbage\r\n\r\n"
        "password\nblock\nsector 1\n   \t# comment only\nsector 1 0b\r\ndsfid 42";
    sim_state_read_text(text.c_str());
    EXPECT_EQ(SIM_DEFAULT_UID, sim_uid());
    EXPECT_EQ(256, sim_block_count());
    EXPECT_EQ(0u, sim_password(1));
    EXPECT_EQ(0, sim_sector_status(0));
    EXPECT_EQ(0x0B, sim_sector_status(1));
    EXPECT_TRUE(sim_in_field());
    EXPECT_EQ(0xFFFFFFFFu, sim_block(255));
    EXPECT_EQ(0xFFFFFFFFu, sim_block(3));
    EXPECT_EQ(0xFFFFFFFFu, sim_block(4));
    EXPECT_EQ(0xDEADBEEFu, sim_block(2));
    EXPECT_EQ(0, sim_pending_faults());
    EXPECT_EQ(0u, sim_delay_us());
    EXPECT_EQ("8012000FF6E5D4C3B2A102E04207FF032C", send("022B").answer.substr(0, 34));
}

TEST(SimStateFile, RandomBytesNeverBreakTheReader)
{
    unsigned seed = 12345;
    std::string text;
    for (int round = 0; round < 50; ++round) {
        text.clear();
        for (int i = 0; i < 2000; ++i) {
            seed = seed * 1103515245u + 12345u;
            char c = (char)(seed >> 16);
            text += c ? c : '\n';
        }
        sim_state_read_text(text.c_str());
        EXPECT_GE(sim_block_count(), 1);
        EXPECT_LE(sim_pending_faults(), SIM_MAX_FAULTS);
    }
}

TEST(SimStateFile, LinesUpToTheLimitAreReadFromFilesAsFromText)
{
    const char* path = "sim_state_file_limit.txt";
    std::string longest = "afi 01" + std::string(SIM_STATE_LINE_MAX - 7, ' ');
    std::string tooLong = "dsfid 01" + std::string(SIM_STATE_LINE_MAX - 8, ' ');
    std::string text = longest + "\n" + tooLong + "\nic_reference 05";
    sim_reset();
    sim_state_read_text(text.c_str());
    EXPECT_EQ("8012000FF6E5D4C3B2A102E00001FF0305", send("022B").answer.substr(0, 34));
    FILE* f = std::fopen(path, "w");
    ASSERT_NE(nullptr, f);
    std::fputs(text.c_str(), f);
    std::fclose(f);
    sim_reset();
    ASSERT_TRUE(sim_state_load(path));
    std::remove(path);
    EXPECT_EQ("8012000FF6E5D4C3B2A102E00001FF0305", send("022B").answer.substr(0, 34));
}

TEST(SimStateFile, SavedFileLoadsBackAndAMissingFileChangesNothing)
{
    const char* path = "sim_state_file_test.txt";
    set_up_unusual_tag();
    ASSERT_TRUE(sim_state_save(path));
    sim_reset();
    ASSERT_TRUE(sim_state_load(path));
    EXPECT_EQ(0x12345678u, sim_block(10));
    EXPECT_EQ(0xE00211223344AA55ull, sim_uid());
    std::remove(path);
    sim_set_uid(0x42);
    EXPECT_FALSE(sim_state_load(path));
    EXPECT_EQ(0x42u, sim_uid());
}

std::string file_fault()
{
    std::vector<char> text(sim_file_fault(nullptr, 0) + 1);
    sim_file_fault(text.data(), text.size());
    return text.data();
}

// A tag file that cannot be read or written fails the reader with its reason, never with a
// factory tag in its place.
TEST(SimStateFile, ATagFileThatCannotBeUsedIsAReaderFaultWithItsReason)
{
    TempFolder temp;
    std::string file = temp.write("cr95hf-sim.txt", "block 1 01020304\n"), gone = temp.path() + "gone/cr95hf-sim.txt";
    std::string read = "the simulated tag file cannot be read: ", write = "the simulated tag file cannot be written: ";
    char answer[SIM_ANSWER_SIZE];
    sim_reset();
    sim_file_use(file.c_str());
    ASSERT_EQ(SIM_OK, sim_file_check());
    ASSERT_TRUE(std::filesystem::remove(file) && std::filesystem::create_directory(file));
    EXPECT_EQ(SIM_TAG_FILE, sim_file_send_receive("022101AABBCCDD", answer));
    EXPECT_STREQ("8700", answer);
    EXPECT_EQ(write + file, file_fault());
    // The folder where the file was, then a folder that is not there, then a path too long.
    std::string tooLong = temp.path() + std::string(SIM_PATH_SIZE, 'x');
    for (const std::string& path : {file, gone, tooLong}) {
        sim_file_use(path.c_str());
        EXPECT_EQ(SIM_TAG_FILE, sim_file_connect());
        EXPECT_EQ(SIM_TAG_FILE, sim_file_check());
        EXPECT_EQ(SIM_TAG_FILE, sim_file_firmware(answer));
        EXPECT_EQ(SIM_OK, sim_file_library_revision(answer));
        EXPECT_EQ(path == gone ? write + gone : read + path.substr(0, SIM_PATH_SIZE - 1), file_fault());
    }
    // Cut short, the reason never ends in half a character.
    sim_file_use("/Ж/cr95hf-sim.txt");
    EXPECT_EQ(SIM_TAG_FILE, sim_file_connect());
    char cut[45];  // room up to the middle of "Ж"
    EXPECT_EQ(60u, sim_file_fault(cut, sizeof cut));
    EXPECT_STREQ("the simulated tag file cannot be written: /", cut);
}

}  // namespace
