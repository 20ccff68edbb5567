// The reader maker's CR95HF.dll, loaded at first use and called by ordinal. A missing library or
// function makes every call fail, so the tool still starts and reports the connection error.
#include <string.h>
#include <windows.h>

#include "model/module_path.h"
#include "tag/reader.h"

namespace {

// The maker's library is a 32-bit DLL with __stdcall functions.
typedef int(WINAPI* PlainCall)(void);
typedef int(WINAPI* TextCall)(char* command, char* answer);

enum { ORDINAL_SELECT = 4, ORDINAL_SEND_RECEIVE = 5, ORDINAL_CHECK = 13, ORDINAL_CONNECT = 16 };
// Room for an answer longer than ours, so that a chatty library cannot overrun AnswerText.
enum { LIBRARY_ANSWER_SIZE = 1024 };

struct ReaderLibrary {
    bool tried;
    PlainCall connect;
    PlainCall check;
    TextCall select;
    TextCall sendReceive;
};

ReaderLibrary library;

// The executable's own folder first, then the system folder; never the current directory.
HMODULE load_library()
{
    static const char kName[] = "CR95HF.dll";
    char path[MAX_PATH];
    if (module_sibling_path(kName, path, sizeof path)) {
        HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (module != nullptr) return module;
    }
    return LoadLibraryExA(kName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <typename Call>
Call by_ordinal(HMODULE module, int ordinal)
{
    // Through the generic function pointer type, which every function pointer converts to.
    FARPROC found = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Call>(reinterpret_cast<void (*)(void)>(found));
}

const ReaderLibrary& reader_library()
{
    if (!library.tried) {
        library.tried = true;
        HMODULE module = load_library();
        if (module != nullptr) {
            library.connect = by_ordinal<PlainCall>(module, ORDINAL_CONNECT);
            library.check = by_ordinal<PlainCall>(module, ORDINAL_CHECK);
            library.select = by_ordinal<TextCall>(module, ORDINAL_SELECT);
            library.sendReceive = by_ordinal<TextCall>(module, ORDINAL_SEND_RECEIVE);
        }
    }
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
