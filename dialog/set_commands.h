// The window's parameter-set commands, from its system menu: save the tag into a set file,
// compare the tag with one, write one to the tag. Each leaves its result as text, one parameter
// a line, for the window to show.
#pragma once
#include <stdint.h>

enum class SetCommand { save, compare, write };
enum { SET_RESULT_TEXT_SIZE = 65536 };

// Runs the command with the set file at path; now (seconds since 1970, UTC) goes into a saved
// set. Returns the result, lines ended by CR LF, valid until the next call. A write refreshes
// the page afterwards, so the rows show what the tag now holds.
const char* run_set_command(SetCommand command, const char* path, int64_t now);
// The file name a save proposes for the tag the caption shows, "UID-YYYY-MM-DD.set" with the
// local date of now; false, name left alone, while the caption shows no tag.
bool propose_set_name(char* name, int size, int64_t now);
// The folder of the set file a command was last given in this run, with its separator at the
// end, so that the file dialogs start there; "" until a command has been given a path with a
// folder. A path too long for the one path limit leaves the folder as it was.
void remember_set_folder(const char* path);
const char* last_set_folder();
