// The system menu's parameter-set entries: the standard file dialogs, then the result in a
// window of its own with a scrolling, read-only text. The dialog template stays as it is.
#include "dialog/set_menu_win32.h"

#include <commdlg.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "dialog/about.h"
#include "dialog/set_commands.h"
#include "dialog/text_code.h"
#include "platform/libraries_win32.h"
#include "platform/path_size.h"
#include "platform/wide_text_win32.h"

namespace {

enum { REPORT_TEXT_ID = 100 };

struct Report {
    const char* title;
    const char* text;
};

// Appends text as the UTF-16 a dialog template holds (the texts here are plain ASCII).
WORD* put_text(WORD* at, const char* text)
{
    while (*text != '\0') *at++ = static_cast<unsigned char>(*text++);
    *at++ = 0;
    return at;
}

WORD* align_dword(WORD* at)
{
    return reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(at) + 3) & ~static_cast<ULONG_PTR>(3));
}

WORD* put_item(WORD* at, DWORD style, short x, short y, short cx, short cy, WORD id, WORD kind, const char* text)
{
    DLGITEMTEMPLATE* item = reinterpret_cast<DLGITEMTEMPLATE*>(align_dword(at));
    item->style = style | WS_CHILD | WS_VISIBLE;
    item->dwExtendedStyle = 0;
    item->x = x;
    item->y = y;
    item->cx = cx;
    item->cy = cy;
    item->id = id;
    at = reinterpret_cast<WORD*>(item + 1);
    *at++ = 0xFFFF;
    *at++ = kind;  // 0x0080 button, 0x0081 edit
    at = put_text(at, text);
    *at++ = 0;  // no creation data
    return at;
}

INT_PTR CALLBACK report_proc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_INITDIALOG) {
        const Report* report = reinterpret_cast<const Report*>(second);
        SetWindowTextA(window, report->title);
        // The tool's text, with paths in UTF-8 and names as Pelox.ini has them: UTF-8 where the whole
        // text is, else ANSI, as the main window widens its own texts.
        static wchar_t wide[SET_RESULT_TEXT_SIZE];
        widen_text(report->text, text_code(TextOrigin::program, report->text) == TextCode::utf8, wide,
                   SET_RESULT_TEXT_SIZE);
        SetDlgItemTextW(window, REPORT_TEXT_ID, wide);
        SetFocus(GetDlgItem(window, IDOK));
        return FALSE;
    }
    if (message == WM_COMMAND && (LOWORD(first) == IDOK || LOWORD(first) == IDCANCEL)) {
        EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}

void show_report(HWND owner, const char* title, const char* text)
{
    static DWORD storage[256];  // the template, DWORD-aligned as the window system wants it
    memset(storage, 0, sizeof storage);
    DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(storage);
    dialog->style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog->cdit = 2;
    dialog->cx = 320;
    dialog->cy = 220;
    WORD* at = reinterpret_cast<WORD*>(dialog + 1);
    *at++ = 0;  // no menu
    *at++ = 0;  // the standard dialog class
    at = put_text(at, "");
    *at++ = 8;
    at = put_text(at, "MS Shell Dlg");
    at =
        put_item(at, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_BORDER,
                 6, 6, 308, 186, REPORT_TEXT_ID, 0x0081, "");
    put_item(at, BS_DEFPUSHBUTTON | WS_TABSTOP, 264, 198, 50, 14, IDOK, 0x0080, "OK");
    Report report = {title, text};
    DialogBoxIndirectParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)), dialog, owner,
                            report_proc, reinterpret_cast<LPARAM>(&report));
}

// The common dialogs, loaded from the system folder when a set command is first chosen: with
// comdlg32.dll imported, its loading (and that of the shell libraries it pulls in) was a third of
// the window's start-up.
struct CommonDialogs {
    BOOL(WINAPI* open)(OPENFILENAMEW*);
    BOOL(WINAPI* save)(OPENFILENAMEW*);
    DWORD(WINAPI* error)();
};

// False, with the system's error code, when the library or one of its functions is missing.
bool common_dialogs(CommonDialogs* dialogs, DWORD* error)
{
    static HMODULE module = nullptr;
    if (module == nullptr && (module = load_system_library(L"comdlg32.dll")) == nullptr)
        return *error = GetLastError(), false;
    bool bound = (dialogs->open = LIBRARY_FUNCTION(module, "GetOpenFileNameW", GetOpenFileNameW)) != nullptr &&
                 (dialogs->save = LIBRARY_FUNCTION(module, "GetSaveFileNameW", GetSaveFileNameW)) != nullptr &&
                 (dialogs->error = LIBRARY_FUNCTION(module, "CommDlgExtendedError", CommDlgExtendedError)) != nullptr;
    *error = bound ? 0 : GetLastError();
    return bound;
}

// The user's Documents folder with a closing backslash; false when the system names none or it
// does not fit size characters. shell32.dll is loaded with the common dialogs, which need it.
bool documents_folder(wchar_t* folder, int size)
{
    static HMODULE module = nullptr;
    if (module == nullptr && (module = load_system_library(L"shell32.dll")) == nullptr) return false;
    auto folder_path = LIBRARY_FUNCTION(module, "SHGetFolderPathW", SHGetFolderPathW);
    wchar_t found[MAX_PATH];
    if (folder_path == nullptr || folder_path(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, found) != S_OK)
        return false;
    int length = lstrlenW(found);
    if (length == 0 || length + 2 > size) return false;
    lstrcpyW(folder, found);
    if (folder[length - 1] != L'\\') lstrcpyW(folder + length, L"\\");
    return true;
}

// Where a set command's file dialog starts: the folder of the set last used in this run, else the
// user's Documents folder, which an upgrade leaves alone. Always given, since a dialog left to
// itself reopens the folder last used by any program of this file name: another installation's,
// which goes when that installation is deleted, and the sets saved there with it.
bool start_folder(wchar_t* folder, int size)
{
    const char* last = last_set_folder();
    if (last[0] != '\0' && widen_path(last, folder, size)) return true;
    return documents_folder(folder, size);
}

}  // namespace

void add_set_menu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_SAVE_SET, "Save parameters...");
    AppendMenuA(menu, MF_STRING, IDM_COMPARE_SET, "Compare with saved...");
    AppendMenuA(menu, MF_STRING, IDM_WRITE_SET, "Write saved parameters...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUT, "About ORVELTIDE...");
}

bool on_set_menu(HWND window, UINT command)
{
    struct Entry {
        UINT command;
        SetCommand what;
        const char* title;
    };
    static const Entry kEntries[] = {{IDM_SAVE_SET, SetCommand::save, "Save parameters"},
                                     {IDM_COMPARE_SET, SetCommand::compare, "Compare with saved"},
                                     {IDM_WRITE_SET, SetCommand::write, "Write saved parameters"}};
    if (command == IDM_ABOUT) {
        static char about[ABOUT_TEXT_SIZE];
        about_text(about, sizeof about);
        show_report(window, "About ORVELTIDE", about);
        return true;
    }
    const Entry* entry = nullptr;
    for (const Entry& e : kEntries)
        if (e.command == command) entry = &e;
    if (entry == nullptr) return false;
    SetCommand what = entry->what;
    const char* title = entry->title;
    CommonDialogs dialogs;
    DWORD loadError = 0;
    if (!common_dialogs(&dialogs, &loadError)) {
        char text[120];
        snprintf(text, sizeof text, "The file dialogs cannot be loaded (comdlg32.dll, error %lu): nothing was done.",
                 static_cast<unsigned long>(loadError));
        show_report(window, title, text);
        return true;
    }
    // Wide characters, so that a file in a folder of any name can be chosen; UTF-8 from there on.
    // As many units as the one path limit has bytes: every path it holds in UTF-8 fits here.
    wchar_t wide[PATH_SIZE] = L"", wideTitle[64];
    MultiByteToWideChar(CP_UTF8, 0, title, -1, wideTitle, 64);
    OPENFILENAMEW file = {};
    file.lStructSize = sizeof file;
    file.hwndOwner = window;
    file.lpstrFilter = L"Parameter sets (*.set)\0*.set\0All files (*.*)\0*.*\0";
    file.lpstrFile = wide;
    file.nMaxFile = PATH_SIZE;
    file.lpstrDefExt = L"set";
    file.lpstrTitle = wideTitle;
    // The start folder goes into the name as well as lpstrInitialDir: the system passes over an
    // initial folder it has seen this program give before, a name with a folder it never does.
    wchar_t folder[PATH_SIZE] = L"";
    if (start_folder(folder, PATH_SIZE)) {
        file.lpstrInitialDir = folder;
        lstrcpyW(wide, folder);
    }
    char proposed[40];
    wchar_t wideName[40];
    if (what == SetCommand::save && propose_set_name(proposed, sizeof proposed, static_cast<int64_t>(time(nullptr))) &&
        MultiByteToWideChar(CP_UTF8, 0, proposed, -1, wideName, 40) > 0) {
        if (lstrlenW(wide) + lstrlenW(wideName) >= PATH_SIZE) wide[0] = L'\0';
        lstrcatW(wide, wideName);
    }
    file.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    bool chosen = what == SetCommand::save ? (file.Flags |= OFN_OVERWRITEPROMPT, dialogs.save(&file) != FALSE)
                                           : (file.Flags |= OFN_FILEMUSTEXIST, dialogs.open(&file) != FALSE);
    char path[PATH_SIZE];
    if (!chosen) {
        // Cancel says nothing; any other failure of the dialog is shown, never taken for cancel.
        DWORD error = dialogs.error();
        if (error == 0) return true;
        char text[96];
        snprintf(text, sizeof text, "The file dialog failed (error 0x%04lX): nothing was done.",
                 static_cast<unsigned long>(error));
        show_report(window, title, text);
        return true;
    }
    if (!narrow_path(wide, path, sizeof path)) {
        show_report(window, title, "The file's path is too long: nothing was done.");
        return true;
    }
    remember_set_folder(path);
    show_report(window, title, run_set_command(what, path, static_cast<int64_t>(time(nullptr))));
    return true;
}
