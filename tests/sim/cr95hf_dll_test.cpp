// The stand-in CR95HF.dll as the program meets it: loaded from a folder of its own (of any name),
// operations found by ordinal, the tag's state kept in the text file beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

typedef int(WINAPI* OpenFunction)(void);
typedef int(WINAPI* ExchangeFunction)(char* command, char* answer);
typedef int(WINAPI* TextFunction)(char* text);
namespace fs = std::filesystem;

std::string read_file(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Cr95hfDll : public ::testing::Test {
protected:
    void SetUp() override { place_in(root_); }

    void TearDown() override
    {
        unload();
        fs::remove_all(root_);
    }

    void place_in(const fs::path& folder)
    {
        wchar_t exe[MAX_PATH];
        ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
        fs::create_directories(folder_ = folder);
        fs::copy_file(fs::path(exe).parent_path() / "CR95HF.dll", folder_ / "CR95HF.dll");
    }

    void load()
    {
        dll_ = LoadLibraryW((folder_ / "CR95HF.dll").c_str());
        ASSERT_NE(nullptr, dll_);
        connect_ = reinterpret_cast<OpenFunction>(find(16));
        check_ = reinterpret_cast<OpenFunction>(find(13));
        select_ = reinterpret_cast<ExchangeFunction>(find(4));
        sendReceive_ = reinterpret_cast<ExchangeFunction>(find(5));
        revision_ = reinterpret_cast<TextFunction>(find(8));
        firmware_ = reinterpret_cast<TextFunction>(find(11));
        fault_ = reinterpret_cast<int(WINAPI*)(char*, int)>(
            reinterpret_cast<void*>(GetProcAddress(dll_, "PeloxSimulatorFault")));
        ASSERT_TRUE(connect_ && check_ && select_ && sendReceive_ && revision_ && firmware_ && find(17) && fault_);
    }

    void unload()
    {
        if (dll_) FreeLibrary(dll_);
        dll_ = nullptr;
    }

    void* find(int ordinal) { return reinterpret_cast<void*>(GetProcAddress(dll_, MAKEINTRESOURCEA(ordinal))); }

    std::string exchange(const char* request)
    {
        char command[52], answer[52];
        std::snprintf(command, sizeof command, "%s", request);
        EXPECT_EQ(0, sendReceive_(command, answer)) << request;
        return answer;
    }

    // As with the maker's library, the USB handle check fails until the USB connect opened it.
    void open_connection()
    {
        char command[] = "010D";
        char answer[52];
        ASSERT_EQ(6, connect_());
        ASSERT_EQ(0, check_());
        ASSERT_EQ(0, connect_());
        ASSERT_EQ(0, select_(command, answer));
    }

    fs::path state_path() const { return folder_ / "cr95hf-sim.txt"; }

    fs::path root_ = fs::temp_directory_path() / ("pelox-dll-test-" + std::to_string(GetCurrentProcessId())), folder_;
    HMODULE dll_ = nullptr;
    OpenFunction connect_ = nullptr, check_ = nullptr;
    ExchangeFunction select_ = nullptr, sendReceive_ = nullptr;
    TextFunction revision_ = nullptr, firmware_ = nullptr;
    int(WINAPI* fault_)(char* reason, int size) = nullptr;
};

TEST_F(Cr95hfDll, StartsWithAFactoryTagAndWritesChangesToItsFile)
{
    load();
    open_connection();
    EXPECT_NE(std::string::npos, read_file(state_path()).find("\nblock 7 FFFFFFFF\n"));
    EXPECT_EQ("80040078F000", exchange("022107A1B2C3D4"));
    EXPECT_EQ("80040078F000", exchange("02B2020009"));
    std::string text = read_file(state_path());
    EXPECT_NE(std::string::npos, text.find("\nblock 7 A1B2C3D4\n"));
    EXPECT_NE(std::string::npos, text.find("\nsector 0 09\n"));
}

TEST_F(Cr95hfDll, ReadsTheFileAgainWhenTheConnectionIsOpened)
{
    {
        std::ofstream out(state_path());
        out << "uid E0020000000000AB\nblock 1 0102A0B0\nfail_call read_block 2\n";
    }
    load();
    open_connection();
    EXPECT_EQ("8012000FAB0000000000", exchange("022B").substr(0, 20));
    EXPECT_EQ("8008000102A0B0", exchange("022001").substr(0, 14));
    unload();

    load();  // a new process's view: the fault's count went on in the file
    open_connection();
    char command[] = "022001", answer[52];
    EXPECT_NE(0, sendReceive_(command, answer));
    EXPECT_STREQ("8700", answer);
}

TEST_F(Cr95hfDll, AbsentReaderFromTheFileFailsConnectAndCheck)
{
    {
        std::ofstream(state_path()) << "reader_absent 1\n";
    }
    load();
    EXPECT_NE(0, connect_());
    EXPECT_NE(0, check_());
}

// Its tag file in a folder named in any script, and a folder in the file's place a fault that
// names it, never a factory tag in its stead.
TEST_F(Cr95hfDll, KeepsItsTagFileInAFolderOfAnyNameAndSaysWhenItCannot)
{
    place_in(root_ / fs::u8path("Наладка 設定 tools"));
    fs::create_directory(state_path());
    load();
    EXPECT_EQ(7, connect_());
    EXPECT_EQ(7, check_());
    char reason[512];
    EXPECT_EQ(39 + static_cast<int>(state_path().u8string().size()), fault_(reason, sizeof reason));
    EXPECT_EQ("the simulated tag file cannot be read: " + state_path().u8string(), reason);

    fs::remove(state_path());
    std::ofstream(state_path()) << "block 1 0102A0B0\n";
    open_connection();
    EXPECT_EQ("8008000102A0B0", exchange("022001").substr(0, 14));
    EXPECT_EQ("80040078F000", exchange("022102A1B2C3D4"));
    EXPECT_NE(std::string::npos, read_file(state_path()).find("\nblock 2 A1B2C3D4\n"));
    EXPECT_EQ(0, firmware_(reason));
    EXPECT_STREQ("simulated firmware " PELOX_VERSION_TEXT, reason);
    EXPECT_EQ(0, revision_(reason));
    EXPECT_STREQ("Pelox simulator " PELOX_VERSION_TEXT, reason);
}

}  // namespace
