// What the window shows for each reason the tag cannot be reached: row 0's short text as before,
// the full reason in the status box's tooltip, and the tooltip gone once the tag answers again.
#include <gtest/gtest.h>

#include <stdio.h>

#include "dialog/reader_status.h"
#include "dialog/refresh.h"
#include "fakes/reader_sim.h"
#include "support/program_fixture.h"

namespace {

class ReaderStatus : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        reader_sim_set_library(LibraryReport{});
        add_param("a", ParamType::int8, 0, EditMode::Changeable);
    }
    void TearDown() override { reader_sim_set_library(LibraryReport{}); }
};

LibraryReport library(LibraryFault fault, const char* path, uint16_t machine = 0, uint8_t missing = 0,
                      uint32_t error = 0)
{
    LibraryReport r = {fault, machine, missing, error, ""};
    snprintf(r.path, sizeof r.path, "%s", path);
    return r;
}

TEST_F(ReaderStatus, EveryLibraryProblemKeepsRowZerosTextAndNamesItsCauseInTheTooltip)
{
    const char kConnect[] = " NFC connect reader error";
    const char kFile[] = "C:\\pelox\\CR95HF.dll";
    struct Case {
        LibraryReport library;
        const char* tip;
    } cases[] = {
        {library(LibraryFault::notFound, "C:\\pelox\\"),
         "CR95HF.dll not found: looked in C:\\pelox\\ and the system folder"},
        {library(LibraryFault::notFound, ""), "CR95HF.dll not found: looked in the system folder"},
        {library(LibraryFault::notPe, kFile),
         "C:\\pelox\\CR95HF.dll is not a library: replace it with the reader maker's CR95HF.dll"},
        {library(LibraryFault::notDll, kFile, 0x8664),
         "C:\\pelox\\CR95HF.dll is a program, not a library: replace it with the reader maker's CR95HF.dll"},
        {library(LibraryFault::wrongMachine, kFile, 0x014C), "CR95HF.dll is a 32-bit library: start pelox.exe"},
        {library(LibraryFault::wrongMachine, kFile, 0x8664), "CR95HF.dll is a 64-bit library: start pelox64.exe"},
        {library(LibraryFault::wrongMachine, kFile, 0xAA64),
         "CR95HF.dll is built for another processor (machine AA64): use the reader maker's library"},
        {library(LibraryFault::functionsMissing, kFile, 0x8664, 0x08), "CR95HF.dll lacks functions 5 (send/receive)"},
        {library(LibraryFault::functionsMissing, kFile, 0x8664, 0x0F),
         "CR95HF.dll lacks functions 16 (USB handle check), 13 (USB connect), 4 (select), 5 (send/receive)"},
        {library(LibraryFault::loadRefused, kFile, 0x8664, 0, 126),
         "CR95HF.dll could not be loaded (system error 126): a library it needs may be missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        fake_surface_reset();
        sim_clear_counters();
        reader_sim_set_library(c.library);
        refresh_page();
        EXPECT_STREQ(kConnect, fake_text(1100));
        EXPECT_STREQ(c.tip, fake_control(1100).tip);
        EXPECT_STREQ("ORVELTIDE", fakeWindow.caption);
        EXPECT_EQ(0, sim_calls(SIM_CONNECT));  // nothing is called in a library that cannot be used
    }
}

TEST_F(ReaderStatus, ReaderAndTagProblemsAndTheirRecovery)
{
    // A library put in place while the tool runs is taken at the next refresh.
    reader_sim_set_library(library(LibraryFault::notFound, "C:\\pelox\\"));
    refresh_page();
    ASSERT_STRNE("", fake_control(1100).tip);
    reader_sim_set_library(LibraryReport{});
    refresh_page();
    EXPECT_STREQ("", fake_control(1100).tip);
    EXPECT_STREQ("ORVELTIDE      E002A1B2C3D4E5F6   ", fakeWindow.caption);

    sim_set_reader_absent(true);
    refresh_page();
    EXPECT_STREQ(" NFC connect reader error", fake_text(1100));
    EXPECT_STREQ("The reader does not answer: check the USB cable", fake_control(1100).tip);

    // Plugged in again, the reader is connected again by the USB connect (13) of the next refresh.
    sim_set_reader_absent(false);
    sim_set_select_refused(true);
    sim_clear_counters();
    refresh_page();
    EXPECT_EQ(1, sim_calls(SIM_CHECK));
    EXPECT_STREQ("NFC select ISO error", fake_text(1100));
    EXPECT_STREQ("The reader refuses ISO/IEC 15693: unplug the reader and plug it in again", fake_control(1100).tip);

    sim_set_select_refused(false);
    sim_leave_field();
    refresh_page();
    EXPECT_STREQ("ORVELTIDE   no device", fakeWindow.caption);
    EXPECT_STREQ("No tag answers: place the tag on the reader", fake_control(1100).tip);
    // The start-up opens the reader once more after the first refresh: a working reader does
    // not mean that the tag came back.
    EXPECT_TRUE(open_reader());
    EXPECT_STREQ("No tag answers: place the tag on the reader", fake_control(1100).tip);

    sim_enter_field();
    refresh_page();
    EXPECT_STREQ("", fake_control(1100).tip);
    EXPECT_STREQ("Not set", fake_text(1100));
}

}  // namespace
