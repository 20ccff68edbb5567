// The stand-in CR95HF.dll: the reader library's four operations on the simulated tag, whose
// state lives in "cr95hf-sim.txt" beside the DLL. A development and demo aid, shipped apart
// from the program and never in place of the reader maker's library.
#include <windows.h>

#include <cstring>

#include "sim/sim_file.h"
#include "sim/sim_tag.h"

namespace {

const char STATE_FILE_NAME[] = "cr95hf-sim.txt";

// The state file beside the DLL; when its folder cannot be found, the state is kept in memory.
void use_state_file_beside(HMODULE self)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    size_t folder = 0;
    for (size_t i = 0; i < n; ++i)
        if (path[i] == '\\' || path[i] == '/') folder = i + 1;
    if (folder + sizeof STATE_FILE_NAME > MAX_PATH) return;
    std::memcpy(path + folder, STATE_FILE_NAME, sizeof STATE_FILE_NAME);
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

int WINAPI ReaderConnect(void)
{
    return sim_file_connect();
}

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

}  // extern "C"
