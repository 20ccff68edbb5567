// The stand-in CR95HF.dll: the reader library's operations on the simulated tag, whose state
// lives in "cr95hf-sim.txt" beside the DLL, and one function of its own by which a program can
// tell it from the maker's library. A development and demo aid, shipped apart from the program
// and never in place of the reader maker's library.
#include <windows.h>

#include <cstring>

#include "sim/sim_file.h"
#include "sim/sim_tag.h"

namespace {

const char STATE_FILE_NAME[] = "cr95hf-sim.txt";

// The state file beside the DLL, found by the DLL's wide-character path and kept in UTF-8, so
// that its folder may have any name. When the DLL cannot name its folder, the state is kept in
// memory; a path cut by the buffer keeps its whole beginning and is too long for the simulator,
// which then reports a file it cannot read.
void use_state_file_beside(HMODULE self)
{
    static wchar_t wide[SIM_PATH_SIZE];
    static char path[3 * SIM_PATH_SIZE + sizeof STATE_FILE_NAME];  // a UTF-16 unit takes at most 3 bytes
    DWORD n = GetModuleFileNameW(self, wide, SIM_PATH_SIZE);
    if (n == 0) return;
    DWORD folder = SIM_PATH_SIZE - 1;  // all of a cut path
    if (n < SIM_PATH_SIZE) {
        folder = 0;
        for (DWORD i = 0; i < n; ++i)
            if (wide[i] == L'\\' || wide[i] == L'/') folder = i + 1;
    }
    int bytes = 0;
    if (folder > 0) {
        bytes = WideCharToMultiByte(CP_UTF8, 0, wide, (int)folder, path, 3 * SIM_PATH_SIZE, nullptr, nullptr);
        if (bytes <= 0) return;
    }
    std::memcpy(path + bytes, STATE_FILE_NAME, sizeof STATE_FILE_NAME);
    sim_file_use(path);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        sim_reset();
        use_state_file_beside(instance);
    }
    return TRUE;
}

// Ordinal 16: the USB handle check.
int WINAPI ReaderConnect(void)
{
    return sim_file_connect();
}

// Ordinal 13: the USB connect.
int WINAPI ReaderCheck(void)
{
    return sim_file_check();
}

int WINAPI ReaderSelect(char* command, char* answer)
{
    return sim_file_select(command, answer);
}

int WINAPI ReaderSendReceive(char* command, char* answer)
{
    return sim_file_send_receive(command, answer);
}

// Ordinals 8, 11 and 17, each filling one text as the maker's revision functions do.
int WINAPI ReaderLibraryRevision(char* text)
{
    return sim_file_library_revision(text);
}

int WINAPI ReaderFirmware(char* text)
{
    return sim_file_firmware(text);
}

int WINAPI ReaderHardware(char* text)
{
    return sim_file_hardware(text);
}

// Only the stand-in has it: its presence says "simulator", and it gives the reason of the last
// SIM_TAG_FILE failure in UTF-8 (cut to size - 1 bytes) and the length of the whole reason, 0
// while the tag file serves.
int WINAPI PeloxSimulatorFault(char* reason, int size)
{
    char none[1];
    bool room = reason != nullptr && size > 0;
    return (int)sim_file_fault(room ? reason : none, room ? (size_t)size : sizeof none);
}

}  // extern "C"
