// Opening the reader connection from the dialog: the outcome in the words row 0 shows.
#pragma once
#include "tag/tag_memory.h"

// The text row 0's value box shows for an outcome; nullptr for ok.
const char* reader_outcome_text(ReaderOutcome outcome);

// Puts the reason for an outcome other than ok into row 0's value box.
void show_reader_problem(ReaderOutcome outcome);

// Opens the reader connection; on failure puts the reason into row 0's value box.
bool open_reader();
