// What a console run (pelox-tag's production) needs of the system: a stop request caught, a
// pause between polls, a clock.
#pragma once
#include <stdint.h>

// From now on Ctrl+C, Ctrl+Break, a termination request and, on Windows, closing the console,
// logoff and shutdown only raise a flag: a production run ends after the device it is busy with,
// its log intact. Where the system would end the process as soon as the handler returns (the
// console closing, logoff, shutdown), the handler waits for console_finished, as long as the
// system allows.
void console_catch_interrupt();
bool console_interrupted();
// What asked the run to stop: "Ctrl+C", "a termination request (SIGTERM)", ...; "" when nothing did.
const char* console_stop_reason();
// The run has finished and logged its last device: a waiting handler may return.
void console_finished();

void console_pause_ms(int milliseconds);
// A clock that only goes forward, in milliseconds.
int64_t console_clock_ms();
