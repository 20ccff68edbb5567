// The reader library for native tests: each operation is answered by the in-process tag
// simulator, whose sim_ controls set up the tag and inject faults. It is the Pelox simulator,
// whose tag lives in memory and so never fails for its file.
#include "fakes/reader_sim.h"

#include "sim/sim_tag.h"
#include "tag/library_text.h"
#include "tag/reader.h"

static_assert((int)SIM_ANSWER_SIZE <= (int)READER_TEXT_SIZE, "the simulator's answers must fit the program's buffer");

static LibraryReport library;

void reader_sim_set_library(const LibraryReport& report)
{
    library = report;
}

const LibraryReport& reader_library_load()
{
    return library;
}

int reader_connect()
{
    return sim_reader_connect();
}

int reader_check()
{
    return sim_reader_check();
}

int reader_select(const char* command, char* answer)
{
    return sim_reader_select(command, answer);
}

int reader_send_receive(const char* command, char* answer)
{
    return sim_reader_send_receive(command, answer);
}

static ReaderInfo info(int (*call)(char*))
{
    char text[SIM_INFO_SIZE] = "";
    int result = call(text);
    return reader_info_from(result, text, sizeof text);
}

ReaderInfo reader_library_revision()
{
    return info(sim_reader_library_revision);
}

ReaderInfo reader_firmware_revision()
{
    return info(sim_reader_firmware);
}

ReaderInfo reader_hardware_version()
{
    return info(sim_reader_hardware);
}

bool reader_simulator(char* reason, int size)
{
    if (size > 0) reason[0] = '\0';
    return true;
}
