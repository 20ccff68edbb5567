// pelox-tag's reader library natively: the simulated tag kept in "cr95hf-sim.txt" beside the
// executable, loaded and saved as the stand-in CR95HF.dll keeps it beside itself, so that the
// tool can be tested and shown without Windows.
#include "model/module_sibling.h"
#include "platform/path_size.h"
#include "sim/sim_file.h"
#include "sim/sim_types.h"
#include "tag/library_text.h"
#include "tag/reader.h"

namespace {

void use_state_file()
{
    static bool chosen = false;
    if (chosen) return;
    chosen = true;
    char path[PATH_SIZE];
    sim_file_use(module_sibling_path("cr95hf-sim.txt", path, sizeof path) ? path : nullptr);
}

ReaderInfo info(int (*call)(char*))
{
    use_state_file();
    char text[SIM_INFO_SIZE] = "";
    int result = call(text);
    return reader_info_from(result, text, sizeof text);
}

}  // namespace

int reader_connect()
{
    use_state_file();
    return sim_file_connect();
}

int reader_check()
{
    use_state_file();
    return sim_file_check();
}

int reader_select(const char* command, char* answer)
{
    use_state_file();
    return sim_file_select(command, answer);
}

int reader_send_receive(const char* command, char* answer)
{
    use_state_file();
    return sim_file_send_receive(command, answer);
}

const LibraryReport& reader_library_load()
{
    static const LibraryReport present = {};  // the simulated reader's library is always there
    return present;
}

ReaderInfo reader_library_revision()
{
    return info(sim_file_library_revision);
}

ReaderInfo reader_firmware_revision()
{
    return info(sim_file_firmware);
}

ReaderInfo reader_hardware_version()
{
    return info(sim_file_hardware);
}

// This reader is the simulator, whose tag file is beside the program.
bool reader_simulator(char* reason, int size)
{
    if (size > 0) sim_file_fault(reason, static_cast<size_t>(size));
    return true;
}
