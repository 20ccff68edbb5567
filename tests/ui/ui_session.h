// One run of pelox.exe for a UI test: a fresh folder with the program, the stand-in
// CR95HF.dll, a Pelox.ini and the simulated tag's state file; the dialog found in the running
// process and driven with window messages from this one.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "support/temp_files.h"

// The folder this test program runs from (pelox.exe and CR95HF.dll are copied beside it).
std::string driver_folder();

class PeloxSession {
public:
    PeloxSession();
    ~PeloxSession();
    PeloxSession(const PeloxSession&) = delete;
    PeloxSession& operator=(const PeloxSession&) = delete;

    // The configuration (none is written unless asked for) and the tag, set up through the
    // simulator's own controls on a factory tag and saved as its state file. The tag may also
    // be replaced while the program runs: the DLL reads the file again on every connection.
    void write_ini(const std::string& text);
    void set_up_tag(const std::function<void()>& setup);
    void write_tag_state(const std::string& text);
    // Puts a file from the driver's folder into the program's folder as CR95HF.dll; "" removes
    // the library.
    void put_library(const std::string& driverFile);
    const std::string& folder() const { return folder_.path(); }

    // Starts pelox.exe and waits until its dialog is shown. False when it did not appear.
    bool start();
    // The same from a new subfolder of that name holding copies of the folder's files: a folder
    // name outside the ANSI code page.
    bool start_in(const std::wstring& subfolder);
    // The same from another current folder (a shortcut's "Start in"), holding a copy of a file
    // from the driver's folder.
    bool start_with_current_folder_holding(const std::string& driverFile);
    HWND dialog() const { return dialog_; }
    HWND control(int id) const;

    std::string text(int id) const;        // WM_GETTEXT
    std::wstring wide_text(int id) const;  // WM_GETTEXT as wide characters
    std::string caption() const;
    bool enabled(int id) const;
    bool visible(int id) const;
    bool read_only(int id) const;
    bool has_scroll_bar() const;
    // The dialog's horizontal scroll bar as the program sees it (GetScrollRange, GetScrollPos).
    struct ScrollState {
        bool read;
        int low, high, position;
    };
    ScrollState scroll_state() const;
    int focused_id() const;  // control with the keyboard focus in the program, 0 for none
    // The tip the dialog shows over control id, enabled or not, in UTF-8 ("" for none; both tools
    // must agree).
    std::string tip(int id) const;

    // Each returns once the program has handled the message. type clicks into the box, selects
    // its text and types the UTF-8 text over it one character message at a time.
    void click(int id);
    void type(int id, const std::string& text);
    void scroll(int code);
    // Drags the scroll bar's thumb with the mouse from the left end to the right end.
    void drag_thumb_to_right_end();
    void command(int code, int id);

    // Waits for a dialog of the program other than its main window (a file dialog, a result
    // window) that has the control; nullptr after the timeout.
    HWND wait_for_other_dialog(int control) const;

    // Waits until control id shows the text; false after the timeout.
    bool wait_for_text(int id, const std::string& expected, int timeoutMs = 5000) const;
    // Asks the dialog to close as the close box does; returns the exit code, or -1 when the
    // program did not end in time.
    int close();
    bool running() const;

    // The tag's state as the stand-in DLL left it, loaded into this process's simulator.
    bool load_tag() const;

private:
    bool launch(const std::wstring& folder, const std::wstring& current);
    LRESULT send(HWND window, UINT message, WPARAM first, LPARAM second) const;
    // Sends the registered message to the dialog with the probe's hook placed in the program.
    bool ask_probe(const char* hook, const char* message, WPARAM first) const;

    TempFolder folder_;
    PROCESS_INFORMATION process_ = {};
    HWND dialog_ = nullptr;
};

// Redraws an edit box and waits until the inside of it, away from its text, shows the colour
// on the screen; false after a timeout.
bool box_turns(HWND box, COLORREF colour);

// Stored bytes of the simulated tag, as two-digit hex separated by blanks ("05 B1 55").
std::string tag_bytes(int address, int count);
// The same for a byte list, to compare against.
std::string hex_bytes(const std::vector<uint8_t>& bytes);
