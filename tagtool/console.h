// What pelox-tag needs of the platform: Ctrl+C caught, a pause between polls, a log line on disk.
#pragma once
#include <stdio.h>

// From now on Ctrl+C (and, on Windows, closing the console) only raises a flag: a production
// run ends after the device it is busy with, its log intact.
void console_catch_interrupt();
bool console_interrupted();

void console_pause_ms(int milliseconds);

// Flushes the stream and has the system put it on the disk; false when either fails.
bool file_commit(FILE* file);
