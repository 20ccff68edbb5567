// The reader maker's CR95HF.dll, looked at, loaded and called by ordinal. A library that cannot
// be used makes every call fail, so the tool still starts and reports why.
#include <string.h>
#include <windows.h>

#include "model/module_sibling.h"
#include "platform/libraries_win32.h"
#include "platform/path_size.h"
#include "platform/wide_text_win32.h"
#include "tag/library_search.h"
#include "tag/library_text.h"
#include "tag/reader.h"

// The four functions as the maker's library has them, a 32-bit DLL with __stdcall functions:
// declared only, never defined or imported, to type their lookups by ordinal (READER_ORDINALS).
namespace cr95hf {
int WINAPI connect(void);
int WINAPI check(void);
int WINAPI select(char* command, char* answer);
int WINAPI send_receive(char* command, char* answer);
// Ordinals 8, 11 and 17: each fills one text, of a length the library alone knows.
int WINAPI library_revision(char* text);
int WINAPI firmware_revision(char* text);
int WINAPI hardware_version(char* text);
}  // namespace cr95hf

// Exported by name by the Pelox simulator's stand-in only: the reason of its last fault, cut to
// size - 1 bytes.
namespace pelox_simulator {
int WINAPI PeloxSimulatorFault(char* reason, int size);
}  // namespace pelox_simulator

namespace {

typedef decltype(&cr95hf::connect) PlainCall;
typedef decltype(&cr95hf::select) TextCall;
typedef decltype(&cr95hf::library_revision) InfoCall;
typedef decltype(&pelox_simulator::PeloxSimulatorFault) FaultCall;

// Room for an answer or a text longer than ours, so that a chatty library cannot overrun the
// tool's buffers.
enum { LIBRARY_ANSWER_SIZE = 1024 };

struct ReaderLibrary {
    bool tried;
    HMODULE module;
    PlainCall connect;
    PlainCall check;
    TextCall select;
    TextCall sendReceive;
    // Not needed to reach the tag: a library without them is used all the same.
    InfoCall revision;
    InfoCall firmware;
    InfoCall hardware;
    FaultCall simulatorFault;
};

ReaderLibrary library;
LibraryReport report;

// The folder of the executable, then the system folder, each by its full path: never the
// current directory.
void find_library()
{
    char programFolder[PATH_SIZE], systemFolder[PATH_SIZE];
    bool besideProgram = module_sibling_path("", programFolder, sizeof programFolder);
    bool inSystem = system_folder(systemFolder, sizeof systemFolder);
    find_reader_library(besideProgram ? programFolder : nullptr, inSystem ? systemFolder : nullptr, PROGRAM_MACHINE,
                        &report);
}

void load_library()
{
    library.tried = true;
    find_library();
    if (report.fault != LibraryFault::none) return;
    // A library that fails to load is reported in the window, never by a system message box,
    // which would come back on every timer tick.
    DWORD errorMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &errorMode);
    // By its wide-character path (the program's folder may have any name); what the library
    // needs comes from its own folder or the system folder, never the current folder or PATH.
    wchar_t path[PATH_SIZE];
    HMODULE module =
        widen_path(report.path, path, PATH_SIZE) ? LoadLibraryExW(path, nullptr, library_folder_flags()) : nullptr;
    DWORD error = module == nullptr ? GetLastError() : 0;
    SetThreadErrorMode(errorMode, nullptr);
    if (module == nullptr) {
        report.fault = LibraryFault::loadRefused;
        report.systemError = error;
        return;
    }
    // The system's own lookup has the last word, should it disagree with the file's headers.
    ReaderLibrary found = {true,
                           module,
                           LIBRARY_FUNCTION(module, READER_ORDINALS[0], cr95hf::connect),
                           LIBRARY_FUNCTION(module, READER_ORDINALS[1], cr95hf::check),
                           LIBRARY_FUNCTION(module, READER_ORDINALS[2], cr95hf::select),
                           LIBRARY_FUNCTION(module, READER_ORDINALS[3], cr95hf::send_receive),
                           LIBRARY_FUNCTION(module, ORDINAL_LIBRARY_REVISION, cr95hf::library_revision),
                           LIBRARY_FUNCTION(module, ORDINAL_FIRMWARE_REVISION, cr95hf::firmware_revision),
                           LIBRARY_FUNCTION(module, ORDINAL_HARDWARE_VERSION, cr95hf::hardware_version),
                           LIBRARY_FUNCTION(module, "PeloxSimulatorFault", pelox_simulator::PeloxSimulatorFault)};
    const bool present[READER_FUNCTIONS] = {found.connect != nullptr, found.check != nullptr, found.select != nullptr,
                                            found.sendReceive != nullptr};
    for (int i = 0; i < READER_FUNCTIONS; ++i)
        if (!present[i]) report.missing |= static_cast<uint8_t>(1u << i);
    if (report.missing != 0) {
        report.fault = LibraryFault::functionsMissing;
        FreeLibrary(module);
        return;
    }
    library = found;
}

const ReaderLibrary& reader_library()
{
    if (!library.tried) load_library();
    return library;
}

int call_plain(PlainCall call)
{
    return call != nullptr ? call() : -1;
}

int call_text(TextCall call, const char* command, char* answer)
{
    if (call == nullptr) {
        answer[0] = '\0';
        return -1;
    }
    char request[READER_TEXT_SIZE];
    strncpy(request, command, sizeof request - 1);
    request[sizeof request - 1] = '\0';
    static char reply[LIBRARY_ANSWER_SIZE];
    memset(reply, 0, sizeof reply);
    int result = call(request, reply);
    reply[sizeof reply - 1] = '\0';
    strncpy(answer, reply, READER_TEXT_SIZE - 1);
    answer[READER_TEXT_SIZE - 1] = '\0';
    return result;
}

// The library's text in a buffer of its own, cleared before and NUL-terminated after the call.
ReaderInfo call_info(InfoCall call)
{
    if (call == nullptr) return reader_info_not_offered();
    static char text[LIBRARY_ANSWER_SIZE];
    memset(text, 0, sizeof text);
    int result = call(text);
    text[sizeof text - 1] = '\0';
    return reader_info_from(result, text, sizeof text);
}

}  // namespace

const LibraryReport& reader_library_load()
{
    if (library.module == nullptr) load_library();
    return report;
}

int reader_connect()
{
    return call_plain(reader_library().connect);
}

int reader_check()
{
    return call_plain(reader_library().check);
}

int reader_select(const char* command, char* answer)
{
    return call_text(reader_library().select, command, answer);
}

int reader_send_receive(const char* command, char* answer)
{
    return call_text(reader_library().sendReceive, command, answer);
}

ReaderInfo reader_library_revision()
{
    return call_info(reader_library().revision);
}

ReaderInfo reader_firmware_revision()
{
    return call_info(reader_library().firmware);
}

ReaderInfo reader_hardware_version()
{
    return call_info(reader_library().hardware);
}

bool reader_simulator(char* reason, int size)
{
    if (size > 0) reason[0] = '\0';
    FaultCall fault = reader_library().simulatorFault;
    if (fault == nullptr) return false;
    static char text[LIBRARY_ANSWER_SIZE];
    memset(text, 0, sizeof text);
    fault(text, static_cast<int>(sizeof text));
    text[sizeof text - 1] = '\0';
    if (size > 0) reader_text_take(text, sizeof text, reason, static_cast<size_t>(size));
    return true;
}
