// A message hook that the UI tests place into pelox.exe: finds the tools that the dialog
// registered for a control and leaves their tips' texts where the test process can read them.
#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include "ui/tip_probe.h"

namespace {

struct Search {
    HWND dialog;
    UINT_PTR tool;
    // The wide queries, because the narrow one hands back at most 80 characters under Wine;
    // 1024 is the most a tooltip's text query fills.
    WCHAR text[1024];
    bool found;
};

BOOL CALLBACK look_at(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, TOOLTIPS_CLASSA) != 0) return TRUE;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = search->dialog;
    tool.uId = search->tool;
    tool.lpszText = search->text;
    if (!SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return TRUE;
    tool.lpszText = search->text;
    SendMessageW(window, TTM_GETTEXTW, sizeof search->text / sizeof search->text[0], reinterpret_cast<LPARAM>(&tool));
    search->found = true;
    return FALSE;
}

// The tip of one tool of the dialog as an atom in property `name`.
void hand_back(HWND dialog, UINT_PTR toolId, const char* name)
{
    static Search search;
    memset(&search, 0, sizeof search);
    search.dialog = dialog;
    search.tool = toolId;
    EnumThreadWindows(GetCurrentThreadId(), look_at, reinterpret_cast<LPARAM>(&search));
    RemovePropA(dialog, name);
    search.text[sizeof search.text / sizeof search.text[0] - 1] = 0;
    char text[256] = "";  // an atom's most
    // UTF-8, whose bytes the atom's round trip through the ANSI code page leaves as they are.
    if (search.found && WideCharToMultiByte(CP_UTF8, 0, search.text, -1, text, sizeof text, nullptr, nullptr) > 0)
        SetPropA(dialog, name, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomA(text))));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK tip_probe_hook(int code, WPARAM first, LPARAM second)
{
    static const UINT ask = RegisterWindowMessageA(TIP_PROBE_MESSAGE);
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(second);
    if (code == HC_ACTION && message->message == ask) {
        HWND dialog = message->hwnd;
        int id = static_cast<int>(message->wParam);
        hand_back(dialog, reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id)), TIP_PROBE_TEXT);
        hand_back(dialog, static_cast<UINT_PTR>(id), TIP_PROBE_AREA_TEXT);
    }
    return CallNextHookEx(nullptr, code, first, second);
}
