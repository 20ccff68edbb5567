// pelox-tag's platform pieces on Linux.
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include "tagtool/console.h"

namespace {

volatile sig_atomic_t interrupted = 0;

void on_interrupt(int)
{
    interrupted = 1;
}

}  // namespace

void console_catch_interrupt()
{
    struct sigaction action = {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool console_interrupted()
{
    return interrupted != 0;
}

void console_pause_ms(int milliseconds)
{
    struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);  // a signal ends it early, which is what Ctrl+C wants
}

bool file_commit(FILE* file)
{
    return fflush(file) == 0 && fsync(fileno(file)) == 0;
}
