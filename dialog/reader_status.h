// Reaching the tag from the dialog: row 0 shows the outcome in its short words, and the status
// box's tooltip the full reason.
#pragma once
#include "model/config_load.h"
#include "tag/tag_memory.h"

// The text row 0's value box shows for an outcome; nullptr for ok and for noTag (the refresh
// empties the boxes then).
const char* reader_outcome_text(ReaderOutcome outcome);

// Puts the reason for an outcome other than ok into row 0's value box.
void show_reader_problem(ReaderOutcome outcome);

// Puts the full reason for outcome into the status box's tooltip, or removes it for ok.
void show_reader_reason(ReaderOutcome outcome, const LibraryReport* library = nullptr);

// Row 0 when Pelox.ini cannot be read (why: the load's outcome): says so in a few words, and
// its tooltip where the file was looked for and what to do; the reader's problems go to the
// tooltip from then on.
void show_no_configuration(ConfigLoad why);
// Whether the window has no configuration: true from show_no_configuration until the next start
// notes one loaded. Row 0 then keeps saying what is missing, and About says why.
bool configuration_missing();
void note_configuration_loaded();

// Opens the reader connection; on failure puts the reason into row 0's value box and tooltip.
bool open_reader();
