// The "About ORVELTIDE..." text.
#include "dialog/about.h"

#include <stdio.h>

#include "dialog/marking.h"
#include "model/config.h"
#include "model/config_path.h"
#include "pelox_version.h"
#include "reader_text/reader_reason.h"
#include "tag/reader.h"

void about_text(char* out, int size)
{
    if (size <= 0) return;
    char config[CONFIG_PATH_SIZE];
    if (!config_path(config, sizeof config))
        snprintf(config, sizeof config, "Pelox.ini (the folder's path is too long)");
    const LibraryReport& library = reader_library_load();
    char reader[LIBRARY_PATH_SIZE + READER_REASON_SIZE];
    const char* word = machine_word_size(library.machine);
    if (library.fault == LibraryFault::none)
        snprintf(reader, sizeof reader, "%s (%s)", library.path, word != nullptr ? word : "unknown word size");
    else reader_reason(ReaderOutcome::noLibrary, &library, reader, sizeof reader);
    snprintf(out, static_cast<size_t>(size),
             "ORVELTIDE, pelox %s (%d-bit)\r\n\r\nConfiguration: %s%s\r\n\r\nReader library: %s\r\n",
             PELOX_VERSION_TEXT, static_cast<int>(8 * sizeof(void*)), config,
             configuration_missing() ? " (cannot be read)" : "", reader);
}
