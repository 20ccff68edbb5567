// Start-up and the routing of buttons and timer ticks, with and without "Pelox.ini".
#include <gtest/gtest.h>

#include "dialog/actions.h"
#include "dialog/set_commands.h"
#include "dialog/surface.h"
#include "fakes/fake_module_path.h"
#include "platform/path_size.h"
#include "support/program_fixture.h"
#include "support/reference_image.h"
#include "support/temp_files.h"
#include "support/time_zone.h"

namespace {

using Requests = std::vector<std::string>;

class Actions : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        fake_module_path_set((folder.path() + "pelox.exe").c_str());
    }
    void write_config(const std::string& header, int definitions)
    {
        std::string text = header + "\n";
        for (int i = 0; i < definitions; ++i)
            text += "Name=\"N" + std::to_string(i) + "\" Description=\"d\" Address=" + std::to_string(4 * i) +
                    " Type=int8 Changeable\n";
        folder.write("Pelox.ini", text);
    }
    TempFolder folder;
};

TEST_F(Actions, StartWithoutConfigurationKeepsTheTemplate)
{
    dialog_start();
    for (int row = 0; row < 20; ++row) {
        EXPECT_FALSE(fake_control(1100 + row).enabled) << row;
        EXPECT_TRUE(fake_control(1100 + row).visible) << row;
    }
    EXPECT_TRUE(fake_control(1007).visible);
    EXPECT_EQ(fakeWindow.scrollLast, -1);
    EXPECT_EQ(fakeWindow.timerPeriod, 1000);
    EXPECT_EQ(requests(), (Requests{"010D"}));  // the reader is opened, nothing read
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE");

    dialog_command(0, 1005);  // "read" still identifies the tag
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      E002A1B2C3D4E5F6   ");
    // A save proposes the caption's tag and the local date: 23:30 UTC is the next day in Berlin.
    char name[40] = "";
    set_time_zone("CET-1");
    EXPECT_TRUE(propose_set_name(name, sizeof name, 1765409400));
    EXPECT_STREQ(name, "E002A1B2C3D4E5F6-2025-12-11.set");
    set_time_zone("UTC0");
    sim_leave_field();
    dialog_command(0, 1005);
    EXPECT_FALSE(propose_set_name(name, sizeof name, 1765409400));  // no tag in the caption
    sim_enter_field();

    // A path too long for the one limit is no missing file: Pelox.ini may well lie beside the program.
    fake_module_path_set((folder.path() + std::string(800, 'x') + "/pelox.exe").c_str());
    dialog_start();
    EXPECT_STREQ(fake_text(1100), "too long a path");
    EXPECT_NE(strstr(fake_control(1100).tip, "the program's folder has too long a path, Pelox.ini"), nullptr);
}

// The file dialogs start in the last set's folder; a path without one, or too long, keeps it.
TEST(SetFolder, IsTheFolderOfTheLastPathGiven)
{
    const std::string kRows[][2] = {{"C:\\Наладка\\a.set", "C:\\Наладка\\"},
                                    {"a.set", "C:\\Наладка\\"},
                                    {"D:\\" + std::string(PATH_SIZE, 'x') + "\\b.set", "C:\\Наладка\\"},
                                    {"D:\\sets/c.set", "D:\\sets/"}};
    for (const auto& row : kRows) {
        remember_set_folder(row[0].c_str());
        EXPECT_EQ(row[1], last_set_folder()) << row[0];
    }
}

TEST_F(Actions, StartLaysOutReadsAndOpens)
{
    write_config("Pwd=0 set=1 scan 500", 25);
    put_memory(0, reference_image(9, 1));
    dialog_start();
    EXPECT_TRUE(fake_control(1007).visible);
    EXPECT_EQ(fakeWindow.scrollLast, 1);
    EXPECT_EQ(fakeWindow.timerPeriod, 500);
    EXPECT_STREQ(fake_text(1300), "N0");
    EXPECT_STREQ(fake_text(1100), "9");
    EXPECT_TRUE(fake_control(1200).enabled);
    Requests log = requests();
    ASSERT_EQ(log.size(), 2u + 20u + 1u);
    EXPECT_EQ(log.front(), "010D");
    EXPECT_EQ(log.back(), "010D");  // the reader is opened once more at the end
}

TEST_F(Actions, SecurityButtonAndScrollBarFollowTheFile)
{
    write_config("Pwd=0 set=0", 20);
    dialog_start();
    EXPECT_FALSE(fake_control(1007).visible);
    EXPECT_EQ(fakeWindow.scrollLast, -1);  // 20 parameters fit one page
}

TEST_F(Actions, CommandRouting)
{
    write_config("Pwd=0 set=1", 3);
    dialog_start();
    sim_clear_log();
    EXPECT_FALSE(dialog_command(0, 1005));
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 2);
    set_field_text(1102, "5");
    EXPECT_FALSE(dialog_command(0, 1202));
    EXPECT_EQ(hex_bytes(memory(8, 1)), "05");
    // Enter (1), edit notifications and unknown identifiers do nothing.
    sim_clear_log();
    EXPECT_FALSE(dialog_command(0, 1));
    EXPECT_FALSE(dialog_command(0x0300, 1100));  // EN_CHANGE
    EXPECT_FALSE(dialog_command(1, 1005));
    EXPECT_FALSE(dialog_command(0, 1220));
    EXPECT_FALSE(dialog_command(0, 1199));
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(dialog_command(0, 2));
    EXPECT_FALSE(dialog_command(1, 2));
    // "ssec" runs the security setup.
    EXPECT_FALSE(dialog_command(0, 1007));
    EXPECT_EQ(sim_sector_status(0), 0x09);
}

TEST_F(Actions, TimerRefreshesOnlyWhileScanning)
{
    write_config("Pwd=0 set=1", 2);
    dialog_start();
    sim_clear_counters();
    dialog_timer();
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 0);
    write_config("Pwd=0 set=1 scan 20", 2);
    dialog_start();
    sim_clear_counters();
    set_field_text(1100, "12");  // being typed, overwritten by the next tick
    dialog_timer();
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 1);
    EXPECT_STREQ(fake_text(1100), "Not set");
}

// The system menu's set commands say why nothing happened, and then send nothing more.
TEST_F(Actions, SetCommandsSayWhyNothingHappened)
{
    fill_table(3);
    std::string missing = folder.path() + "missing.set";
    std::string text = run_set_command(SetCommand::write, missing.c_str(), 0);
    EXPECT_NE(std::string::npos, text.find("Nothing was compared or written.\r\n")) << text;
    EXPECT_TRUE(requests().empty());

    sim_leave_field();
    std::string saved = folder.path() + "device.set";
    text = run_set_command(SetCommand::save, saved.c_str(), 0);
    EXPECT_EQ(text, "no tag answered: nothing was saved.\r\n");  // one line, not one per parameter
    EXPECT_EQ(nullptr, fopen(saved.c_str(), "rb"));              // no file for an incomplete set

    // A refused file is named with its line as pelox-tag names it; a file that is no set is never
    // replaced by a save.
    sim_enter_field();
    struct Row {
        const char* file;
        const char* text;
        SetCommand command;
        const char* says;
    } rows[] = {
        {"cut.set",
         "# Pelox parameter set\ntool 1.0.0\nuid E002A1B2C3D4E5F6\nsaved 2026-12-08 23:13:20 UTC\n"
         "configuration 3 parameters, fingerprint 00000000\n\"P0\" 0 int8 1\n\"P1\" 3 int8 1",
         SetCommand::write, "cut.set:7: error: the file stops without its end line"},
        {"Pelox.ini", "Pwd=0 set=1\n", SetCommand::save,
         "Pelox.ini: not a parameter set, never replaced by a save: nothing was saved."},
    };
    for (const Row& row : rows) {
        std::string path = folder.write(row.file, row.text);
        text = run_set_command(row.command, path.c_str(), 0);
        EXPECT_NE(std::string::npos, text.find(path + (row.says + strlen(row.file)))) << text;
        EXPECT_EQ(folder.read(row.file), row.text);
    }
}

}  // namespace
