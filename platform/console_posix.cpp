// The console on Linux: signals, a pause, a monotonic clock.
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include "platform/console.h"

namespace {

volatile sig_atomic_t stopSignal = 0;

void on_stop(int signal)
{
    stopSignal = signal;
}

}  // namespace

void console_catch_interrupt()
{
    struct sigaction action = {};
    action.sa_handler = on_stop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A file size limit makes a write fail (and the log line be taken back) instead of ending
    // the process between writing a device and logging it.
    signal(SIGXFSZ, SIG_IGN);
}

bool console_interrupted()
{
    return stopSignal != 0;
}

const char* console_stop_reason()
{
    return stopSignal == SIGINT ? "Ctrl+C" : stopSignal == SIGTERM ? "a termination request (SIGTERM)" : "";
}

void console_finished() {}

void console_pause_ms(int milliseconds)
{
    struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, nullptr);  // a signal ends it early, which is what a stop request wants
}

int64_t console_clock_ms()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
