// Running pelox.exe in a folder of its own and driving its dialog from the test process.
#include "ui/ui_session.h"

#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

#include "sim/sim_state_read.h"
#include "sim/sim_state_write.h"
#include "sim/sim_tag.h"
#include "ui/scroll_probe.h"
#include "ui/tip_probe.h"

namespace {

const char kStateFile[] = "cr95hf-sim.txt";
const int kStartTimeoutMs = 30000;  // the first Wine start of a run can be slow
const int kMessageTimeoutMs = 20000;
const int kPollMs = 20;

struct Search {
    DWORD processId;
    HWND except;  // a dialog not to take
    int control;  // a control the dialog must have, 0 for any
    HWND found;
};

// A visible dialog of the process that fits the search.
BOOL CALLBACK find_dialog(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || window == search->except || strcmp(className, "#32770") != 0 ||
        !IsWindowVisible(window) || (search->control != 0 && GetDlgItem(window, search->control) == nullptr))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The program runs on a desktop of its own, which Wine shows as one virtual desktop window:
// its dialogs are then no top-level X windows, and closing one does not wait for a window
// manager that the virtual display does not have.
const char kDesktop[] = "pelox-ui-tests";

bool enter_test_desktop()
{
    static bool entered = false;
    if (entered) return true;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", kDesktop, REG_SZ, "1280x1024",
                    sizeof "1280x1024");
    HDESK desktop = CreateDesktopA(kDesktop, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    entered = desktop != nullptr && SetThreadDesktop(desktop);
    return entered;
}

}  // namespace

std::string driver_folder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, n);
    return text.substr(0, text.find_last_of("\\/") + 1);
}

PeloxSession::PeloxSession()
{
    std::string from = driver_folder();
    CopyFileA((from + "pelox.exe").c_str(), (folder() + "pelox.exe").c_str(), FALSE);
    CopyFileA((from + "CR95HF.dll").c_str(), (folder() + "CR95HF.dll").c_str(), FALSE);
}

PeloxSession::~PeloxSession()
{
    if (process_.hProcess != nullptr) {
        if (running()) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void PeloxSession::write_ini(const std::string& text)
{
    folder_.write("Pelox.ini", text);
}

void PeloxSession::set_up_tag(const std::function<void()>& setup)
{
    sim_reset();
    setup();
    std::string text(sim_state_write_text(nullptr, 0) + 1, '\0');
    text.resize(sim_state_write_text(&text[0], text.size()));
    write_tag_state(text);
}

void PeloxSession::put_library(const std::string& driverFile)
{
    std::string target = folder() + "CR95HF.dll";
    bool done = driverFile.empty() ? DeleteFileA(target.c_str()) != FALSE
                                   : CopyFileA((driver_folder() + driverFile).c_str(), target.c_str(), FALSE) != FALSE;
    if (!done) ADD_FAILURE() << "could not put " << driverFile << " in place of " << target;
}

void PeloxSession::write_tag_state(const std::string& text)
{
    // Replaced in one step, so that a running program's DLL never reads half a file.
    std::string staged = folder_.write("cr95hf-sim.new", text);
    std::string target = folder() + kStateFile;
    for (int waited = 0; waited < kMessageTimeoutMs; waited += kPollMs) {
        if (MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
        Sleep(kPollMs);  // the DLL has the file open for a moment
    }
    ADD_FAILURE() << "could not replace " << target;
}

bool PeloxSession::start()
{
    std::wstring program(folder().begin(), folder().end());  // the temporary folder's name is ASCII
    return launch(program, program);
}

bool PeloxSession::start_in(const std::wstring& subfolder)
{
    std::wstring from(folder().begin(), folder().end()), to = from + subfolder + L"\\";
    if (!CreateDirectoryW(to.c_str(), nullptr)) return false;
    for (const wchar_t* file : {L"pelox.exe", L"CR95HF.dll", L"Pelox.ini", L"cr95hf-sim.txt"})
        CopyFileW((from + file).c_str(), (to + file).c_str(), FALSE);
    return launch(to, to);
}

bool PeloxSession::start_with_current_folder_holding(const std::string& driverFile)
{
    std::string current = folder() + "current\\";
    if (!CreateDirectoryA(current.c_str(), nullptr) ||
        !CopyFileA((driver_folder() + driverFile).c_str(), (current + driverFile).c_str(), FALSE))
        return false;
    return launch(std::wstring(folder().begin(), folder().end()), std::wstring(current.begin(), current.end()));
}

bool PeloxSession::launch(const std::wstring& folder, const std::wstring& current)
{
    std::wstring exe = folder + L"pelox.exe", desktop(kDesktop, kDesktop + sizeof kDesktop - 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!enter_test_desktop()) return false;
    startup.lpDesktop = &desktop[0];
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, current.c_str(), &startup,
                        &process_))
        return false;
    Search search = {process_.dwProcessId, nullptr, 0, nullptr};
    for (int waited = 0; waited < kStartTimeoutMs && search.found == nullptr; waited += kPollMs) {
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            if (!running()) return false;
            Sleep(kPollMs);
        }
    }
    dialog_ = search.found;
    return dialog_ != nullptr;
}

HWND PeloxSession::control(int id) const
{
    return GetDlgItem(dialog_, id);
}

LRESULT PeloxSession::send(HWND window, UINT message, WPARAM first, LPARAM second) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, first, second, SMTO_NORMAL, kMessageTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string PeloxSession::text(int id) const
{
    char buffer[512] = "";
    LRESULT n = send(control(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    if (n < 0 || n >= static_cast<LRESULT>(sizeof buffer)) n = 0;
    return std::string(buffer, static_cast<size_t>(n));
}

std::wstring PeloxSession::wide_text(int id) const
{
    wchar_t buffer[512] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(control(id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, kMessageTimeoutMs,
                        &n);
    return std::wstring(buffer, n < 512 ? n : 0);
}

std::string PeloxSession::caption() const
{
    char buffer[512] = "";
    int n = GetWindowTextA(dialog_, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

bool PeloxSession::enabled(int id) const
{
    return IsWindowEnabled(control(id)) != FALSE;
}

bool PeloxSession::visible(int id) const
{
    return (GetWindowLongA(control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool PeloxSession::read_only(int id) const
{
    return (GetWindowLongA(control(id), GWL_STYLE) & ES_READONLY) != 0;
}

bool PeloxSession::has_scroll_bar() const
{
    return (GetWindowLongA(dialog_, GWL_STYLE) & WS_HSCROLL) != 0;
}

bool PeloxSession::ask_probe(const char* hookName, const char* message, WPARAM first) const
{
    static HMODULE probe = LoadLibraryA((driver_folder() + "pelox_ui_probe.dll").c_str());
    HOOKPROC hook = probe != nullptr
                        ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(probe, hookName)))
                        : nullptr;
    if (hook == nullptr) return false;
    HHOOK installed = SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, process_.dwThreadId);
    if (installed == nullptr) return false;
    send(dialog_, RegisterWindowMessageA(message), first, 0);
    UnhookWindowsHookEx(installed);
    return true;
}

PeloxSession::ScrollState PeloxSession::scroll_state() const
{
    ScrollState state = {false, 0, 0, 0};
    for (const char* name : {SCROLL_PROBE_LOW, SCROLL_PROBE_HIGH, SCROLL_PROBE_POSITION}) RemovePropA(dialog_, name);
    if (!ask_probe("scroll_probe_hook", SCROLL_PROBE_MESSAGE, 0)) return state;
    state.read = scroll_probe_decode(GetPropA(dialog_, SCROLL_PROBE_LOW), &state.low) &&
                 scroll_probe_decode(GetPropA(dialog_, SCROLL_PROBE_HIGH), &state.high) &&
                 scroll_probe_decode(GetPropA(dialog_, SCROLL_PROBE_POSITION), &state.position);
    return state;
}

namespace {

// The text of the global atom in the dialog's property, which is then let go; "" for none.
std::string take_atom(HWND dialog, const char* property)
{
    ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(dialog, property)));
    if (atom == 0) return "";
    char text[256] = "";
    UINT n = GlobalGetAtomNameA(atom, text, sizeof text);
    GlobalDeleteAtom(atom);
    return std::string(text, n);
}

}  // namespace

std::string PeloxSession::tip(int id) const
{
    if (!ask_probe("tip_probe_hook", TIP_PROBE_MESSAGE, static_cast<WPARAM>(id))) return "(probe failed)";
    std::string own = take_atom(dialog_, TIP_PROBE_TEXT);
    std::string area = take_atom(dialog_, TIP_PROBE_AREA_TEXT);
    return own == area ? own : "box \"" + own + "\", area \"" + area + "\"";
}

int PeloxSession::focused_id() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info) || info.hwndFocus == nullptr) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

HWND PeloxSession::wait_for_other_dialog(int control) const
{
    Search search = {process_.dwProcessId, dialog_, control, nullptr};
    for (int waited = 0; waited < kMessageTimeoutMs && search.found == nullptr; waited += kPollMs) {
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(kPollMs);
    }
    return search.found;
}

void PeloxSession::click(int id)
{
    send(control(id), BM_CLICK, 0, 0);
}

void PeloxSession::type(int id, const std::string& text)
{
    // As a person does: click into the box (it takes the focus), select its text, type over it
    // key by key. The box's modified flag and the focus end up as a user leaves them.
    HWND box = control(id);
    RECT r;
    GetClientRect(box, &r);
    LPARAM inside = MAKELPARAM(r.right - 2, (r.top + r.bottom) / 2);
    send(box, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    send(box, WM_LBUTTONUP, 0, inside);
    send(box, EM_SETSEL, 0, -1);
    if (text.empty()) send(box, WM_CHAR, VK_BACK, 1);
    wchar_t keys[512];  // text is UTF-8; a keyboard types characters
    for (int i = 0, n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, keys, 512) - 1; i < n; ++i)
        SendMessageTimeoutW(box, WM_CHAR, keys[i], 1, SMTO_NORMAL, kMessageTimeoutMs, nullptr);
}

void PeloxSession::scroll(int code)
{
    send(dialog_, WM_HSCROLL, MAKEWPARAM(code, 0), 0);
}

namespace {

void mouse(DWORD flags, int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void PeloxSession::drag_thumb_to_right_end()
{
    // The bar lies under the client area; its thumb, as wide as an arrow button, starts
    // right after the left arrow while the position is 0.
    RECT client;
    GetClientRect(dialog_, &client);
    MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    int arrow = GetSystemMetrics(SM_CXHSCROLL);
    int y = client.bottom + GetSystemMetrics(SM_CYHSCROLL) / 2;
    int x = client.left + arrow + arrow / 2;
    mouse(0, x, y);
    mouse(MOUSEEVENTF_LEFTDOWN, x, y);
    for (int step = 1; step <= 8; ++step) {
        mouse(0, x + (client.right - arrow - x) * step / 8, y);
        Sleep(kPollMs);
    }
    mouse(MOUSEEVENTF_LEFTUP, client.right - arrow, y);
}

void PeloxSession::command(int code, int id)
{
    send(dialog_, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

bool PeloxSession::wait_for_text(int id, const std::string& expected, int timeoutMs) const
{
    for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (text(id) == expected) return true;
        Sleep(kPollMs);
    }
    return text(id) == expected;
}

int PeloxSession::close()
{
    if (process_.hProcess == nullptr) return -1;
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kMessageTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

bool PeloxSession::running() const
{
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool PeloxSession::load_tag() const
{
    return sim_state_load((folder() + kStateFile).c_str());
}

std::string tag_bytes(int address, int count)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    if (!sim_read_memory(address, bytes.data(), count)) return "(unreadable)";
    return hex_bytes(bytes);
}

std::string hex_bytes(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char two[4];
    for (uint8_t b : bytes) {
        snprintf(two, sizeof two, "%02X", b);
        if (!text.empty()) text += ' ';
        text += two;
    }
    return text;
}

namespace {

COLORREF box_background(HWND box)
{
    RECT r;
    GetClientRect(box, &r);
    POINT p = {r.right - 3, (r.top + r.bottom) / 2};
    ClientToScreen(box, &p);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

}  // namespace

bool box_turns(HWND box, COLORREF colour)
{
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    for (int waited = 0; waited < 5000; waited += 20) {
        if (box_background(box) == colour) return true;
        Sleep(20);
    }
    return false;
}
