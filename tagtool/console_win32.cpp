// pelox-tag's platform pieces on Windows.
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include "tagtool/console.h"

namespace {

volatile LONG interrupted = 0;

// Runs on a thread of its own: it only raises the flag, and the production loop stops at the
// next pause. Claiming the event keeps the process alive until then.
BOOL WINAPI on_console_event(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    InterlockedExchange(&interrupted, 1);
    return TRUE;
}

}  // namespace

void console_catch_interrupt()
{
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

bool console_interrupted()
{
    return InterlockedCompareExchange(&interrupted, 0, 0) != 0;
}

void console_pause_ms(int milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}

bool file_commit(FILE* file)
{
    return fflush(file) == 0 && _commit(_fileno(file)) == 0;
}
