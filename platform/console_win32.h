// The console event handler of pelox-tag on Windows, reachable for a test: it raises the stop
// flag and, for the events after which Windows ends the process, waits up to waitMs for
// console_finished.
#pragma once
#include <windows.h>

BOOL console_event(DWORD event, DWORD waitMs);
