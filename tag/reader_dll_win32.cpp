// The reader maker's CR95HF.dll, looked at, loaded and called by ordinal. A library that cannot
// be used makes every call fail, so the tool still starts and reports why.
#include <string.h>
#include <windows.h>

#include "model/module_sibling.h"
#include "platform/libraries_win32.h"
#include "platform/path_size.h"
#include "platform/wide_text_win32.h"
#include "tag/library_search.h"
#include "tag/reader.h"

// The four functions as the maker's library has them, a 32-bit DLL with __stdcall functions:
// declared only, never defined or imported, to type their lookups by ordinal (READER_ORDINALS).
namespace cr95hf {
int WINAPI connect(void);
int WINAPI check(void);
int WINAPI select(char* command, char* answer);
int WINAPI send_receive(char* command, char* answer);
}  // namespace cr95hf

namespace {

typedef decltype(&cr95hf::connect) PlainCall;
typedef decltype(&cr95hf::select) TextCall;

// Room for an answer longer than ours, so that a chatty library cannot overrun AnswerText.
enum { LIBRARY_ANSWER_SIZE = 1024 };

struct ReaderLibrary {
    bool tried;
    HMODULE module;
    PlainCall connect;
    PlainCall check;
    TextCall select;
    TextCall sendReceive;
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
                           LIBRARY_FUNCTION(module, READER_ORDINALS[3], cr95hf::send_receive)};
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
