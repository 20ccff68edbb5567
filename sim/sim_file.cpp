// The simulator behind a state file: loaded at every connect, saved after every change.
#include "sim/sim_file.h"

#include <cstdio>

#include "sim/sim_state_read.h"
#include "sim/sim_state_write.h"
#include "sim/sim_tag.h"

namespace {

char statePath[1024];  // empty: the state is kept in memory only
bool loaded = false;

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

void sim_file_use(const char* path)
{
    int n = std::snprintf(statePath, sizeof statePath, "%s", path ? path : "");
    if (n < 0 || static_cast<size_t>(n) >= sizeof statePath) statePath[0] = '\0';  // never a cut path
    loaded = false;
}

int sim_file_connect()
{
    load_state();
    return saved(sim_reader_connect());
}

int sim_file_check()
{
    ensure_loaded();
    return saved(sim_reader_check());
}

int sim_file_select(const char* command, char* answer)
{
    ensure_loaded();
    return saved(sim_reader_select(command, answer));
}

int sim_file_send_receive(const char* command, char* answer)
{
    ensure_loaded();
    return saved(sim_reader_send_receive(command, answer));
}
