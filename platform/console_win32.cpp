// The console on Windows: its events, a pause, a monotonic clock.
#include <windows.h>

#include "platform/console.h"
#include "platform/console_win32.h"

namespace {

volatile LONG stopEvent = -1;  // the console event that asked to stop, -1 for none
HANDLE finished = nullptr;     // set by console_finished

// Windows gives a handler of a closing console 5 s, of logoff and shutdown at least as long,
// before it ends the process; a little is kept back for the process to end in order.
const DWORD kWaitMs = 4500;

BOOL WINAPI on_console_event(DWORD event)
{
    return console_event(event, kWaitMs);
}

}  // namespace

BOOL console_event(DWORD event, DWORD waitMs)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        InterlockedCompareExchange(&stopEvent, static_cast<LONG>(event), -1);
        return TRUE;  // the process goes on; the run stops at its next pause
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        InterlockedCompareExchange(&stopEvent, static_cast<LONG>(event), -1);
        // The process ends when this returns: not before the device in hand is done and logged.
        if (finished != nullptr) WaitForSingleObject(finished, waitMs);
        return TRUE;
    default: return FALSE;
    }
}

void console_catch_interrupt()
{
    if (finished == nullptr) finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

bool console_interrupted()
{
    return InterlockedCompareExchange(&stopEvent, 0, 0) != -1;
}

const char* console_stop_reason()
{
    switch (InterlockedCompareExchange(&stopEvent, 0, 0)) {
    case CTRL_C_EVENT: return "Ctrl+C";
    case CTRL_BREAK_EVENT: return "Ctrl+Break";
    case CTRL_CLOSE_EVENT: return "the console window closing";
    case CTRL_LOGOFF_EVENT: return "logoff";
    case CTRL_SHUTDOWN_EVENT: return "shutdown";
    default: return "";
    }
}

void console_finished()
{
    if (finished != nullptr) SetEvent(finished);
}

void console_pause_ms(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

int64_t console_clock_ms()
{
    return static_cast<int64_t>(GetTickCount64());
}
