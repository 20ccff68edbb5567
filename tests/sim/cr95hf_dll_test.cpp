// The stand-in CR95HF.dll as the program meets it: loaded from a folder of its own, operations
// found by ordinal, the tag's state kept in the text file beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

typedef int(WINAPI* OpenFunction)(void);
typedef int(WINAPI* ExchangeFunction)(char* command, char* answer);

std::string folder_of(const std::string& path)
{
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Cr95hfDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "pelox-dll-test-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        std::remove(state_path().c_str());
        ASSERT_TRUE(CopyFileA((folder_of(path) + "CR95HF.dll").c_str(), (folder_ + "CR95HF.dll").c_str(), FALSE));
    }

    void TearDown() override
    {
        unload();
        std::remove(state_path().c_str());
        DeleteFileA((folder_ + "CR95HF.dll").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void load()
    {
        dll_ = LoadLibraryA((folder_ + "CR95HF.dll").c_str());
        ASSERT_NE(nullptr, dll_);
        connect_ = reinterpret_cast<OpenFunction>(find(16));
        check_ = reinterpret_cast<OpenFunction>(find(13));
        select_ = reinterpret_cast<ExchangeFunction>(find(4));
        sendReceive_ = reinterpret_cast<ExchangeFunction>(find(5));
        ASSERT_TRUE(connect_ && check_ && select_ && sendReceive_);
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

    void open_connection()
    {
        char command[] = "010D";
        char answer[52];
        ASSERT_EQ(0, connect_());
        ASSERT_EQ(0, select_(command, answer));
    }

    std::string state_path() const { return folder_ + "cr95hf-sim.txt"; }

    std::string folder_;
    HMODULE dll_ = nullptr;
    OpenFunction connect_ = nullptr, check_ = nullptr;
    ExchangeFunction select_ = nullptr, sendReceive_ = nullptr;
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

}  // namespace
