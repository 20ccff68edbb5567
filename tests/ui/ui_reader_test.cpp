// When CR95HF.dll, the reader or the tag is not as the tool needs it: row 0 and the caption show
// what they always showed, the status box's tooltip the full reason, gone once the tag answers.
// Also the inspection of the real stand-in libraries that these cases put in place.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "tag/library_search.h"
#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

const std::string kIni = ini_header(0, 1) + int8_rows(2);
const char kConnectError[] = " NFC connect reader error";
const bool kWide = sizeof(void*) == 8;

TEST(ReaderProblems, EachLibraryProblemIsNamedInTheStatusBoxTooltip)
{
    struct Case {
        const char* library;                    // from the driver's folder; "" for none
        std::string tip;                        // "FOLDER" stands for the program's folder
        const char* inCurrentFolder = nullptr;  // a file put into another folder the program starts in
    } cases[] = {
        {"", "CR95HF.dll not found: looked in FOLDER and the system folder"},
        {"Pelox.ini", "FOLDERCR95HF.dll is not a library: replace it with the reader maker's CR95HF.dll"},
        {"CR95HF-other-word-size.dll", kWide ? "CR95HF.dll is a 32-bit library: start pelox.exe"
                                             : "CR95HF.dll is a 64-bit library: start pelox64.exe"},
        {"CR95HF-without-send.dll", "CR95HF.dll lacks functions 5 (send/receive)"},
        // What the library needs is looked for beside it and in the system folder only.
        {"CR95HF-needs-dependency.dll",
         "CR95HF.dll could not be loaded (system error 126): a library it needs may be missing",
         "pelox-dependency.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        PeloxSession s;
        s.write_ini(kIni);
        s.put_library(c.library);
        ASSERT_TRUE(c.inCurrentFolder ? s.start_with_current_folder_holding(c.inCurrentFolder) : s.start());
        std::string tip = c.tip;
        size_t at = tip.find("FOLDER");
        if (at != std::string::npos) tip.replace(at, 6, s.folder());
        EXPECT_EQ(kConnectError, s.text(1100));
        EXPECT_EQ(tip, s.tip(1100));
        EXPECT_EQ("ORVELTIDE", s.caption());
        EXPECT_EQ(0, s.close());
    }
}

TEST(ReaderProblems, TheTooltipFollowsTheReaderAndTheTag)
{
    PeloxSession s;
    s.write_ini(kIni);
    s.put_library("");
    ASSERT_TRUE(s.start());
    ASSERT_EQ(kConnectError, s.text(1100));

    // The library put in place is taken at the next "read", without a restart.
    s.put_library("CR95HF.dll");
    s.click(1005);
    EXPECT_EQ("ORVELTIDE      E002A1B2C3D4E5F6   ", s.caption());
    EXPECT_EQ("Not set", s.text(1100));
    EXPECT_EQ("", s.tip(1100));

    s.write_tag_state("tag_absent 1\n");
    s.click(1005);
    EXPECT_EQ("ORVELTIDE   no device", s.caption());
    EXPECT_EQ("", s.text(1100));
    EXPECT_EQ("No tag answers: place the tag on the reader", s.tip(1100));

    s.write_tag_state("");
    s.click(1005);
    s.write_tag_state("reader_absent 1\n");
    s.click(1005);
    EXPECT_EQ("ORVELTIDE", s.caption());  // no UID that did not answer
    EXPECT_EQ(kConnectError, s.text(1100));
    EXPECT_EQ("The reader does not answer: check the USB cable", s.tip(1100));

    s.write_tag_state("");
    s.click(1005);
    EXPECT_EQ("Not set", s.text(1100));
    EXPECT_EQ("", s.tip(1100));
    EXPECT_EQ(0, s.close());
}

BOOL CALLBACK find_shown_tip(HWND window, LPARAM context)
{
    HWND* found = reinterpret_cast<HWND*>(context);
    DWORD process = 0, wanted = 0;
    GetWindowThreadProcessId(window, &process);
    GetWindowThreadProcessId(*found, &wanted);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (process != wanted || strcmp(name, "tooltips_class32") != 0 || !IsWindowVisible(window)) return TRUE;
    *found = window;
    return FALSE;
}

// The program's tooltip window while it shows; nullptr when none does.
HWND shown_tip(const PeloxSession& s)
{
    HWND found = s.dialog();
    EnumWindows(find_shown_tip, reinterpret_cast<LPARAM>(&found));
    return found == s.dialog() ? nullptr : found;
}

// With scanning on, the pointer resting on the status box brings up the reason, and the ticks
// that find the same reason leave it up.
TEST(ReaderProblems, TheStatusTipStaysUpThroughScanTicks)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1, 200) + int8_rows(2));
    s.put_library("");
    ASSERT_TRUE(s.start());
    RECT box;
    GetWindowRect(s.control(1100), &box);
    SetCursorPos((box.left + box.right) / 2 - 2, (box.top + box.bottom) / 2);
    Sleep(100);
    SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);  // and rests there
    HWND tip = nullptr;
    for (int waited = 0; waited < 4000 && tip == nullptr; waited += 50) {
        Sleep(50);
        tip = shown_tip(s);
    }
    ASSERT_NE(nullptr, tip) << "the tip never showed";
    Sleep(1000);  // five ticks
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(0, s.close());
}

TEST(StandInLibraries, InspectedAsTheToolSeesThem)
{
    const uint16_t own = kWide ? 0x8664 : 0x014C;
    struct Case {
        const char* file;
        LibraryFault fault;
        uint16_t machine;
        uint8_t missing;
    } cases[] = {
        {"CR95HF.dll", LibraryFault::none, own, 0},
        {"CR95HF-without-send.dll", LibraryFault::functionsMissing, own, 0x08},
        {"CR95HF-other-word-size.dll", LibraryFault::wrongMachine, static_cast<uint16_t>(kWide ? 0x014C : 0x8664), 0},
        {"pelox.exe", LibraryFault::notDll, own, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        LibraryReport r = {};
        inspect_library_file((driver_folder() + c.file).c_str(), own, &r);
        EXPECT_EQ(static_cast<int>(c.fault), static_cast<int>(r.fault));
        EXPECT_EQ(c.machine, r.machine);
        EXPECT_EQ(c.missing, r.missing);
    }
}

}  // namespace
