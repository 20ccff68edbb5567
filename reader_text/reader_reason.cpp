// Why the tag cannot be reached, in one sentence that says what to do about it.
#include "reader_text/reader_reason.h"

#include <stdio.h>

#include "tag/reader.h"

namespace {

const char* const kFunctionNames[READER_FUNCTIONS] = {"USB handle check", "USB connect", "select", "send/receive"};

// The program showing the texts, by the name of its 32-bit build in the release zip; the 64-bit
// one adds "64" (pelox64.exe, pelox-tag64.exe).
const char* programName = "pelox";

void library_reason(const LibraryReport& library, char* out, int size)
{
    size_t n = static_cast<size_t>(size);
    switch (library.fault) {
    case LibraryFault::none: out[0] = '\0'; return;
    case LibraryFault::notFound:
        if (library.path[0] == '\0') snprintf(out, n, "CR95HF.dll not found: looked in the system folder");
        else snprintf(out, n, "CR95HF.dll not found: looked in %s and the system folder", library.path);
        return;
    case LibraryFault::notPe:
        snprintf(out, n, "%s is not a library: replace it with the reader maker's CR95HF.dll", library.path);
        return;
    case LibraryFault::notDll:
        snprintf(out, n, "%s is a program, not a library: replace it with the reader maker's CR95HF.dll", library.path);
        return;
    case LibraryFault::wrongMachine: {
        const char* size_text = machine_word_size(library.machine);
        if (size_text != nullptr)
            snprintf(out, n, "CR95HF.dll is a %s library: start %s%s.exe", size_text, programName,
                     library.machine == MACHINE_AMD64 ? "64" : "");
        else
            snprintf(out, n, "CR95HF.dll is built for another processor (machine %04X): use the reader maker's library",
                     library.machine);
        return;
    }
    case LibraryFault::functionsMissing: {
        char list[READER_REASON_SIZE];
        reader_function_list(library.missing, list, sizeof list);
        snprintf(out, n, "CR95HF.dll lacks functions %s", list);
        return;
    }
    case LibraryFault::loadRefused:
        snprintf(out, n, "CR95HF.dll could not be loaded (system error %u): a library it needs may be missing",
                 static_cast<unsigned>(library.systemError));
        return;
    case LibraryFault::unsupported:
        snprintf(out, n, "This build has no reader library: run pelox-check.exe --reader on Windows");
        return;
    }
    out[0] = '\0';
}

}  // namespace

void reader_text_program(const char* name)
{
    programName = name;
}

void reader_reason(ReaderOutcome outcome, const LibraryReport* library, char* out, int size)
{
    if (size <= 0) return;
    size_t n = static_cast<size_t>(size);
    out[0] = '\0';
    if (outcome == ReaderOutcome::ok) return;
    if (outcome == ReaderOutcome::noLibrary) {
        if (library != nullptr) library_reason(*library, out, size);
        return;
    }
    // The simulator knows why it fails when its tag file is at fault: that is what to mend.
    if (reader_simulator(out, size) && out[0] != '\0') return;
    switch (outcome) {
    case ReaderOutcome::ok:
    case ReaderOutcome::noLibrary: return;
    case ReaderOutcome::noReader: snprintf(out, n, "The reader does not answer: check the USB cable"); return;
    case ReaderOutcome::selectRefused:
        snprintf(out, n, "The reader refuses ISO/IEC 15693: unplug the reader and plug it in again");
        return;
    case ReaderOutcome::noTag: snprintf(out, n, "No tag answers: place the tag on the reader"); return;
    }
}

void reader_function_list(uint8_t which, char* out, int size)
{
    if (size <= 0) return;
    out[0] = '\0';
    int used = 0;
    for (int i = 0; i < READER_FUNCTIONS; ++i) {
        if ((which & (1u << i)) == 0) continue;
        int n = snprintf(out + used, static_cast<size_t>(size - used), "%s%u (%s)", used > 0 ? ", " : "",
                         static_cast<unsigned>(READER_ORDINALS[i]), kFunctionNames[i]);
        if (n < 0 || n >= size - used) return;  // cut short, still NUL-terminated
        used += n;
    }
}

const char* machine_word_size(uint16_t machine)
{
    if (machine == MACHINE_I386) return "32-bit";
    if (machine == MACHINE_AMD64) return "64-bit";
    return nullptr;
}
