// The "About ORVELTIDE..." text.
#include "dialog/about.h"

#include <stdio.h>

#include "dialog/reader_status.h"
#include "model/config.h"
#include "model/config_path.h"
#include "platform/path_size.h"
#include "pelox_version.h"
#include "reader_text/reader_info.h"
#include "reader_text/reader_reason.h"
#include "tag/reader.h"

void about_text(char* out, int size)
{
    if (size <= 0) return;
    char config[PATH_SIZE];
    bool placed = config_path(config, sizeof config);
    if (!placed) snprintf(config, sizeof config, "Pelox.ini (the folder's path is too long)");
    // What the load left out, so that support need not ask why a parameter is missing.
    char state[120] = "";
    if (configuration_missing()) {
        if (placed) snprintf(state, sizeof state, " (cannot be read)");
    } else if (skippedLines.count == 1) {
        snprintf(state, sizeof state, " (1 line skipped, on line %d: pelox-check tells why)", skippedLines.firstLine);
    } else if (skippedLines.count > 1) {
        snprintf(state, sizeof state, " (%d lines skipped, the first on line %d: pelox-check tells why)",
                 skippedLines.count, skippedLines.firstLine);
    }
    const LibraryReport& library = reader_library_load();
    char reader[PATH_SIZE + READER_REASON_SIZE];
    const char* word = machine_word_size(library.machine);
    if (library.fault == LibraryFault::none) {
        char revision[READER_INFO_TEXT_SIZE];
        reader_library_text(revision, sizeof revision);
        snprintf(reader, sizeof reader, "%s (%s), revision %s", library.path,
                 word != nullptr ? word : "unknown word size", revision);
    } else reader_reason(ReaderOutcome::noLibrary, &library, reader, sizeof reader);
    snprintf(out, static_cast<size_t>(size),
             "ORVELTIDE, pelox %s (%d-bit)\r\n\r\nConfiguration: %s%s\r\n\r\nReader library: %s\r\n",
             PELOX_VERSION_TEXT, static_cast<int>(8 * sizeof(void*)), config, state, reader);
}
