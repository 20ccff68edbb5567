// pelox-check --reader against the simulated reader: the lines up to the step that fails, and
// the status that names it.
#include <gtest/gtest.h>

#include <stdio.h>

#include <functional>
#include <string>

#include "checker/reader_diagnosis.h"
#include "fakes/reader_sim.h"
#include "pelox_version.h"
#include "support/program_fixture.h"
#include "support/temp_files.h"

namespace {

class ReaderDiagnosis : public ProgramTest {
protected:
    void TearDown() override { reader_sim_set_library(LibraryReport{}); }

    std::string run(int* status)
    {
        TempFolder folder;
        std::string path = folder.path() + "out.txt";
        FILE* out = fopen(path.c_str(), "w+b");
        if (out == nullptr) return "(no output file)";
        *status = diagnose_reader(out);
        std::string text;
        rewind(out);
        for (int c = fgetc(out); c != EOF; c = fgetc(out)) text += static_cast<char>(c);
        fclose(out);
        return text;
    }
};

const std::string kLibraryLines = "file: C:\\pelox\\CR95HF.dll\n"
                                  "word size: 64-bit, as this program\n"
                                  "functions: 16 (USB handle check), 13 (USB connect), 4 (select), 5 (send/receive)\n";
const std::string kLoaded = kLibraryLines + "load: ok\nlibrary revision: Pelox simulator " PELOX_VERSION_TEXT
                                            " (the Pelox simulator, not a real reader)\n";
const std::string kReaderInfo =
    "firmware revision: simulated firmware " PELOX_VERSION_TEXT "\nhardware version: simulated hardware\n";
// A program's first opening: the library's USB handle check fails until its USB connect.
const std::string kOpened = kLoaded + "USB handle check: failed (result 6)\nUSB connect: ok\n" + kReaderInfo;

TEST_F(ReaderDiagnosis, StopsAtTheFirstStepThatFails)
{
    const LibraryReport loaded = {LibraryFault::none, MACHINE_AMD64, 0, 0, "C:\\pelox\\CR95HF.dll"};
    struct Case {
        const char* name;
        LibraryReport library;
        std::function<void()> fault;
        std::string output;
        int status;
    } cases[] = {
        {"all fine", loaded, [] {},
         kOpened + "select: ok\nidentification: UID E002A1B2C3D4E5F6\n"
                   "block read: block 0 holds 01020304\nreader: ok\n",
         0},
        {"connected already", loaded, [] { sim_reader_check(); },
         kLoaded + "USB handle check: ok\nUSB connect: not needed\n" + kReaderInfo +
             "select: ok\nidentification: UID E002A1B2C3D4E5F6\n"
             "block read: block 0 holds 01020304\nreader: ok\n",
         0},
        {"not found",
         {LibraryFault::notFound, 0, 0, 0, "C:\\pelox\\"},
         [] {},
         "file: failed: CR95HF.dll not found: looked in C:\\pelox\\ and the system folder\n",
         10},
        {"wrong word size",
         {LibraryFault::wrongMachine, MACHINE_I386, 0, 0, "C:\\pelox\\CR95HF.dll"},
         [] {},
         "file: C:\\pelox\\CR95HF.dll\nword size: failed: CR95HF.dll is a 32-bit library: start pelox.exe\n",
         12},
        {"load refused",
         {LibraryFault::loadRefused, MACHINE_AMD64, 0, 126, "C:\\pelox\\CR95HF.dll"},
         [] {},
         kLibraryLines +
             "load: failed: CR95HF.dll could not be loaded (system error 126): a library it needs may be missing\n",
         14},
        {"reader unplugged", loaded, [] { sim_set_reader_absent(true); },
         kLoaded + "USB handle check: failed (result 1)\nUSB connect: failed (result 1): The reader does not answer: "
                   "check the USB cable\n",
         15},
        {"reader found by the check", loaded, [] { sim_fail_call(SIM_CONNECT, 1); },
         kLoaded + "USB handle check: failed (result 4)\nUSB connect: ok\n" + kReaderInfo +
             "select: ok\nidentification: UID E002A1B2C3D4E5F6\n"
             "block read: block 0 holds 01020304\nreader: ok\n",
         0},
        {"select refused", loaded, [] { sim_set_select_refused(true); },
         kOpened + "select: failed (result 2): The reader refuses ISO/IEC 15693: unplug the reader and plug it in "
                   "again\n",
         16},
        {"no tag", loaded, [] { sim_leave_field(); },
         kOpened + "select: ok\nidentification: failed (result 3): No tag answers: place the tag on the reader\n", 17},
        {"block read fails", loaded, [] { sim_fail_call(SIM_READ_BLOCK, 1); },
         kOpened + "select: ok\nidentification: UID E002A1B2C3D4E5F6\n"
                   "block read: failed: block 0 gives no data (answer \"8700\")\n",
         18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim_reset();
        ASSERT_TRUE(sim_set_block(0, 0x01020304));
        reader_sim_set_library(c.library);
        c.fault();
        int status = -1;
        EXPECT_EQ(c.output, run(&status));
        EXPECT_EQ(c.status, status);
    }
}

}  // namespace
