// pelox-tag's console handler on Windows: Ctrl+C returns at once, while closing the console (after
// which Windows ends the process as soon as the handler returns) waits until the run has logged
// the device in hand.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/console.h"
#include "platform/console_win32.h"

namespace {

volatile LONG handlerReturned = 0;

DWORD WINAPI close_console(void*)
{
    console_event(CTRL_CLOSE_EVENT, 10000);
    InterlockedExchange(&handlerReturned, 1);
    return 0;
}

TEST(ConsoleEvent, ClosingTheConsoleWaitsUntilTheRunHasFinished)
{
    console_catch_interrupt();
    EXPECT_FALSE(console_interrupted());
    EXPECT_TRUE(console_event(CTRL_C_EVENT, 10000));  // at once
    EXPECT_TRUE(console_interrupted());
    EXPECT_STREQ(console_stop_reason(), "Ctrl+C");

    HANDLE thread = CreateThread(nullptr, 0, close_console, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 500), static_cast<DWORD>(WAIT_TIMEOUT)) << "returned before the run ended";
    EXPECT_EQ(InterlockedCompareExchange(&handlerReturned, 0, 0), 0);
    console_finished();
    EXPECT_EQ(WaitForSingleObject(thread, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(InterlockedCompareExchange(&handlerReturned, 0, 0), 1);
    CloseHandle(thread);
}

}  // namespace
