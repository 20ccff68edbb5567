// The stand-in CR95HF.dll: the reader library's four operations on the simulated tag, whose
// state lives in "cr95hf-sim.txt" beside the DLL. A development and demo aid, shipped apart
// from the program and never in place of the reader maker's library.
#include <windows.h>

#include <cstring>

#include "sim/sim_state.h"
#include "sim/sim_tag.h"

namespace {

const char STATE_FILE_NAME[] = "cr95hf-sim.txt";

char statePath[MAX_PATH];  // empty when the DLL's folder could not be found: state kept in memory
bool loaded = false;

void find_state_path(HMODULE self)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    size_t folder = 0;
    for (size_t i = 0; i < n; ++i)
        if (path[i] == '\\' || path[i] == '/') folder = i + 1;
    if (folder + sizeof STATE_FILE_NAME > MAX_PATH) return;
    std::memcpy(statePath, path, folder);
    std::memcpy(statePath + folder, STATE_FILE_NAME, sizeof STATE_FILE_NAME);
}

// Read on every connect, so that a test may edit the file between two page refreshes.
void load_state()
{
    loaded = true;
    if (statePath[0] && sim_state_load(statePath)) {
        sim_take_changed();
        return;
    }
    sim_state_read_text("");  // a factory tag
    if (statePath[0]) sim_state_save(statePath);
    sim_take_changed();
}

void ensure_loaded()
{
    if (!loaded) load_state();
}

int saved(int result)
{
    if (sim_take_changed() && statePath[0]) sim_state_save(statePath);
    return result;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        sim_reset();
        find_state_path(instance);
    }
    return TRUE;
}

int WINAPI ReaderConnect(void)
{
    load_state();
    return saved(sim_reader_connect());
}

int WINAPI ReaderCheck(void)
{
    ensure_loaded();
    return saved(sim_reader_check());
}

int WINAPI ReaderSelect(char* command, char* answer)
{
    ensure_loaded();
    return saved(sim_reader_select(command, answer));
}

int WINAPI ReaderSendReceive(char* command, char* answer)
{
    ensure_loaded();
    return saved(sim_reader_send_receive(command, answer));
}

}  // extern "C"
