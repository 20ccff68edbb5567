// The simulator behind a state file: loaded at every handle check, saved after every change. A
// file that cannot be read or written is a fault of the simulated reader with a reason of its
// own, never a factory tag that would take the place of the one the file holds.
#include "sim/sim_file.h"

#include <cstring>

#include "sim/sim_state_read.h"
#include "sim/sim_state_write.h"
#include "sim/sim_tag.h"

namespace {

const char NO_FRAME[] = "8700";
const char CANNOT_READ[] = "the simulated tag file cannot be read: ";
const char CANNOT_WRITE[] = "the simulated tag file cannot be written: ";

char statePath[SIM_PATH_SIZE];  // empty: the state is kept in memory only
bool pathTooLong = false;
bool loaded = false;
const char* fault = nullptr;  // CANNOT_READ, CANNOT_WRITE or null

bool load_state()
{
    loaded = false;
    fault = nullptr;
    if (pathTooLong) {
        fault = CANNOT_READ;
        return false;
    }
    SimLoad got = statePath[0] ? sim_state_read_file(statePath) : SIM_FILE_MISSING;
    if (got == SIM_FILE_UNREADABLE) {
        fault = CANNOT_READ;
        return false;
    }
    if (got == SIM_FILE_MISSING) {
        sim_state_read_text("");  // a factory tag
        if (statePath[0] && !sim_state_save(statePath)) {
            fault = CANNOT_WRITE;
            return false;
        }
    }
    sim_take_changed();
    loaded = true;
    return true;
}

bool ensure_loaded()
{
    return loaded || load_state();
}

// A change that cannot be kept did not happen: the next operation reads the file again.
int saved(int result, char* answer = nullptr)
{
    if (!sim_take_changed() || !statePath[0] || sim_state_save(statePath)) return result;
    fault = CANNOT_WRITE;
    loaded = false;
    if (answer) std::memcpy(answer, NO_FRAME, sizeof NO_FRAME);
    return SIM_TAG_FILE;
}

int refused(char* answer)
{
    if (answer) std::memcpy(answer, NO_FRAME, sizeof NO_FRAME);
    return SIM_TAG_FILE;
}

int refused_text(char* text)
{
    if (text) text[0] = '\0';
    return SIM_TAG_FILE;
}

}  // namespace

void sim_file_use(const char* path)
{
    const char* p = path ? path : "";
    size_t n = strnlen(p, sizeof statePath);
    pathTooLong = n == sizeof statePath;
    std::memcpy(statePath, p, pathTooLong ? sizeof statePath - 1 : n);
    statePath[pathTooLong ? sizeof statePath - 1 : n] = '\0';  // the beginning, for the fault's text
    loaded = false;
    fault = nullptr;
}

int sim_file_connect()
{
    if (!load_state()) return SIM_TAG_FILE;
    return saved(sim_reader_connect());
}

int sim_file_check()
{
    if (!ensure_loaded()) return SIM_TAG_FILE;
    return saved(sim_reader_check());
}

int sim_file_select(const char* command, char* answer)
{
    if (!ensure_loaded()) return refused(answer);
    return saved(sim_reader_select(command, answer), answer);
}

int sim_file_send_receive(const char* command, char* answer)
{
    if (!ensure_loaded()) return refused(answer);
    return saved(sim_reader_send_receive(command, answer), answer);
}

int sim_file_library_revision(char* text)
{
    return sim_reader_library_revision(text);
}

int sim_file_firmware(char* text)
{
    if (!ensure_loaded()) return refused_text(text);
    return sim_reader_firmware(text);
}

int sim_file_hardware(char* text)
{
    if (!ensure_loaded()) return refused_text(text);
    return sim_reader_hardware(text);
}

size_t sim_file_fault(char* text, size_t size)
{
    size_t lead = fault ? std::strlen(fault) : 0, whole = fault ? lead + std::strlen(statePath) : 0;
    if (size == 0) return whole;
    size_t kept = whole < size ? whole : size - 1;
    // Never half a character: a cut that falls on a continuation byte backs off to its start.
    while (kept > lead && kept < whole && ((unsigned char)statePath[kept - lead] & 0xC0) == 0x80) --kept;
    size_t fromLead = kept < lead ? kept : lead;
    if (fromLead > 0) std::memcpy(text, fault, fromLead);
    std::memcpy(text + fromLead, statePath, kept - fromLead);
    text[kept] = '\0';
    return whole;
}
