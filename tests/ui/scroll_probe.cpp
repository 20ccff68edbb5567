// A message hook that the UI tests place into pelox.exe: the window system keeps a window's
// scroll bar inside the owning process, so the range and position are read there and handed
// back as window properties, which any process can read.
#include <windows.h>

#include "ui/scroll_probe.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK scroll_probe_hook(int code, WPARAM first, LPARAM second)
{
    static const UINT ask = RegisterWindowMessageA(SCROLL_PROBE_MESSAGE);
    if (code == HC_ACTION) {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(second);
        if (message->message == ask) {
            int low = 0, high = 0;
            GetScrollRange(message->hwnd, SB_HORZ, &low, &high);
            int position = GetScrollPos(message->hwnd, SB_HORZ);
            SetPropA(message->hwnd, SCROLL_PROBE_LOW, scroll_probe_encode(low));
            SetPropA(message->hwnd, SCROLL_PROBE_HIGH, scroll_probe_encode(high));
            SetPropA(message->hwnd, SCROLL_PROBE_POSITION, scroll_probe_encode(position));
        }
    }
    return CallNextHookEx(nullptr, code, first, second);
}
