// What the dialog does on start-up and on each message; the window procedure only translates.
#pragma once

// Loads the configuration, lays out and reads page 0, starts the refresh timer, opens the reader.
void dialog_start();

// A WM_COMMAND with notification code and control identifier. True when the dialog must end.
bool dialog_command(int code, int id);

// A tick of the refresh timer.
void dialog_timer();
