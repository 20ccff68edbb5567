// What the UI tests and the scroll probe placed into pelox.exe agree on.
#pragma once
#include <windows.h>

#define SCROLL_PROBE_MESSAGE  "PeloxUiTests.ScrollProbe"
#define SCROLL_PROBE_LOW      "PeloxUiTests.ScrollLow"
#define SCROLL_PROBE_HIGH     "PeloxUiTests.ScrollHigh"
#define SCROLL_PROBE_POSITION "PeloxUiTests.ScrollPosition"

// A property value is a handle and a missing property reads as null, so numbers are offset.
inline HANDLE scroll_probe_encode(int value)
{
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value) + 0x10000);
}
inline bool scroll_probe_decode(HANDLE property, int* value)
{
    if (property == nullptr) return false;
    *value = static_cast<int>(reinterpret_cast<INT_PTR>(property) - 0x10000);
    return true;
}
