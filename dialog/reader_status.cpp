// The reader connection's failures as row 0 and its tooltip show them.
#include "dialog/reader_status.h"

#include <stdio.h>

#include "dialog/marking.h"
#include "model/config_path.h"
#include "platform/path_size.h"
#include "reader_text/reader_reason.h"
#include "dialog/surface.h"
#include "model/config.h"

const char* reader_outcome_text(ReaderOutcome outcome)
{
    switch (outcome) {
    case ReaderOutcome::ok:
    case ReaderOutcome::noTag: break;
    // Every library and reader problem keeps the one text row 0 has always shown.
    case ReaderOutcome::noLibrary:
    case ReaderOutcome::noReader: return " NFC connect reader error";
    case ReaderOutcome::selectRefused: return "NFC select ISO error";
    }
    return nullptr;
}

namespace {

bool configurationMissing;

}  // namespace

void note_configuration_loaded()
{
    configurationMissing = false;
}

bool configuration_missing()
{
    return configurationMissing;
}

void show_no_configuration(ConfigLoad why)
{
    configurationMissing = true;
    char path[PATH_SIZE];
    char reason[CONFIG_REASON_SIZE];
    // A path too long for the one limit is no missing file: the file may well be there.
    bool placed = why != ConfigLoad::pathTooLong && config_path(path, sizeof path);
    set_field_text(IDC_VALUE_BOX, placed ? "no Pelox.ini" : "too long a path");
    if (!placed)
        snprintf(reason, sizeof reason,
                 "No configuration: the program's folder has too long a path, Pelox.ini beside it cannot be opened. "
                 "Move the program's folder to a shorter path, then start the tool again.");
    else if (why == ConfigLoad::notAFile)
        snprintf(reason, sizeof reason,
                 "No configuration: %s is a folder or a device, not a file. Put the Pelox.ini file in its place "
                 "(Pelox.example.ini shows how one looks), then start the tool again.",
                 path);
    else if (why == ConfigLoad::unreadable)
        snprintf(reason, sizeof reason,
                 "No configuration: %s cannot be read: another program holds it, the right to read it is "
                 "missing, or the disk failed. Close that program or mend the file, then start the tool again.",
                 path);
    else
        snprintf(reason, sizeof reason,
                 "No configuration: %s cannot be read. Put Pelox.ini beside the program (Pelox.example.ini shows how "
                 "one looks), then start the tool again.",
                 path);
    show_config_tip(reason);
}

void show_reader_problem(ReaderOutcome outcome)
{
    if (configuration_missing()) return;  // row 0 keeps saying what is missing first
    const char* problem = reader_outcome_text(outcome);
    if (problem != nullptr) set_field_text(IDC_VALUE_BOX, problem);
}

void show_reader_reason(ReaderOutcome outcome, const LibraryReport* library)
{
    char reason[READER_REASON_SIZE];
    reader_reason(outcome, library, reason, sizeof reason);
    show_status_tip(reason);
}

bool open_reader()
{
    ReaderDetail detail;
    ReaderOutcome outcome = reader_open(&detail);
    if (outcome == ReaderOutcome::ok) return true;
    show_reader_problem(outcome);
    show_reader_reason(outcome, detail.library);
    return false;
}
