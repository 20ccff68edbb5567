// The system menu's parameter-set entries, driven as a user does: the menu command, the file
// dialog's name box and its OK button, then the result window's text. Save from the example tag,
// change a value, compare, and write the saved set back; where the Save dialog starts.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

const UINT kSave = 0x0100, kCompare = 0x0110, kWrite = 0x0120;

// Chooses the menu entry, gives the file dialog the path, presses its OK and returns what the
// result window shows, after closing it.
std::string run_menu(const PeloxSession& s, UINT command, const std::string& path)
{
    PostMessageA(s.dialog(), WM_SYSCOMMAND, command, 0);
    HWND files = s.wait_for_other_dialog(IDOK);
    if (files == nullptr) return "no file dialog";
    // The name box: a combo box holding an edit (cmb13), or an edit of its own (edt1).
    HWND name = GetDlgItem(files, 0x47C);
    HWND inner = name != nullptr ? FindWindowExA(name, nullptr, "Edit", nullptr) : nullptr;
    if (inner != nullptr) name = inner;
    if (name == nullptr) name = GetDlgItem(files, 0x480);
    if (name == nullptr) return "no file name box";
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(GetDlgItem(files, IDOK), BM_CLICK, 0, 0);
    HWND report = s.wait_for_other_dialog(100);
    if (report == nullptr) return "no result window";
    char text[65536] = "";
    SendMessageA(GetDlgItem(report, 100), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    PostMessageA(report, WM_COMMAND, IDOK, 0);
    for (int waited = 0; waited < 5000 && IsWindow(report); waited += 50) Sleep(50);
    return text;
}

TEST(Sets, SaveCompareAndWriteFromTheSystemMenu)
{
    PeloxSession s;
    s.write_ini(example_file("Pelox.ini"));
    s.write_tag_state(example_file("cr95hf-sim.txt"));
    ASSERT_TRUE(s.start());
    ASSERT_EQ("1", s.text(1105));  // Mode
    std::string path = s.folder() + "device.set";

    std::string saved = run_menu(s, kSave, path);
    EXPECT_NE(std::string::npos, saved.find("\"Mode\" (36, int8): read 1")) << saved;
    EXPECT_NE(std::string::npos, saved.find("Saved to " + path + ".")) << saved;
    std::ifstream file(path, std::ios::binary);
    std::stringstream set;
    set << file.rdbuf();
    EXPECT_EQ(0u, set.str().find("# Pelox parameter set"));
    EXPECT_NE(std::string::npos, set.str().find("\"Mode\" 36 int8 1")) << set.str();

    s.type(1105, "2");
    s.click(1205);
    ASSERT_EQ("2", s.text(1105));
    std::string compared = run_menu(s, kCompare, path);
    EXPECT_NE(std::string::npos, compared.find("\"Mode\" (36, int8): different")) << compared;

    std::string written = run_menu(s, kWrite, path);
    EXPECT_NE(std::string::npos, written.find("\"Mode\" (36, int8): written 1")) << written;
    EXPECT_EQ("1", s.text(1105));  // the page is read again after the write
    EXPECT_EQ(0, s.close());
}

// A name without a folder is saved where the Save dialog starts: the Documents folder, even after
// another installation saved last (a dialog left to itself reopens the last folder of a program of
// that name), then the folder of the set saved last in this run.
TEST(Sets, SaveDialogStartsInDocumentsThenInTheLastSetsFolder)
{
    char documents[MAX_PATH] = "";
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));
    std::string name = "start-" + std::to_string(GetCurrentProcessId()) + ".set";
    std::string inDocuments = std::string(documents) + "\\" + name, saved;
    PeloxSession other, s;
    for (PeloxSession* session : {&other, &s}) {
        session->write_ini(example_file("Pelox.ini"));
        session->write_tag_state(example_file("cr95hf-sim.txt"));
    }
    ASSERT_TRUE(other.start());
    EXPECT_NE(std::string::npos, run_menu(other, kSave, other.folder() + "old.set").find("Saved to "));
    EXPECT_EQ(0, other.close());
    ASSERT_TRUE(s.start());
    DeleteFileA(inDocuments.c_str());
    EXPECT_NE(std::string::npos, (saved = run_menu(s, kSave, name)).find("Saved to " + inDocuments + ".")) << saved;
    EXPECT_TRUE(DeleteFileA(inDocuments.c_str())) << inDocuments;
    run_menu(s, kSave, s.folder() + "device.set");
    EXPECT_NE(std::string::npos, (saved = run_menu(s, kSave, name)).find("Saved to " + s.folder() + name)) << saved;
    EXPECT_EQ(0, s.close());
}

}  // namespace
