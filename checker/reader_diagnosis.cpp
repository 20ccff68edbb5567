// The reader diagnosis: the tool's own loader and connection, with every step shown.
#include "checker/reader_diagnosis.h"

#include <string.h>

#include "reader_text/reader_info.h"
#include "reader_text/reader_reason.h"
#include "tag/identify.h"
#include "tag/reader.h"

namespace {

// Ends a step's line with the full reason; returns status.
int reason_line(FILE* out, ReaderOutcome outcome, const LibraryReport* library, int status)
{
    char reason[READER_REASON_SIZE];
    reader_reason(outcome, library, reason, sizeof reason);
    fprintf(out, "%s\n", reason);
    return status;
}

int library_failed(FILE* out, const char* step, const LibraryReport& library, int status)
{
    fprintf(out, "%s: failed: ", step);
    return reason_line(out, ReaderOutcome::noLibrary, &library, status);
}

// The steps the report covers, up to the one it stopped at.
int library_steps(FILE* out, const LibraryReport& library)
{
    switch (library.fault) {
    case LibraryFault::unsupported: return library_failed(out, "file", library, READER_CHECK_NO_LIBRARY_HERE);
    case LibraryFault::notFound: return library_failed(out, "file", library, READER_CHECK_NOT_FOUND);
    case LibraryFault::notPe:
    case LibraryFault::notDll: return library_failed(out, "file", library, READER_CHECK_NOT_A_LIBRARY);
    default: break;
    }
    fprintf(out, "file: %s\n", library.path);
    if (library.fault == LibraryFault::wrongMachine)
        return library_failed(out, "word size", library, READER_CHECK_WORD_SIZE);
    const char* wordSize = machine_word_size(library.machine);
    fprintf(out, "word size: %s, as this program\n", wordSize != nullptr ? wordSize : "?");
    if (library.fault == LibraryFault::functionsMissing)
        return library_failed(out, "functions", library, READER_CHECK_FUNCTIONS);
    char functions[READER_REASON_SIZE];
    reader_function_list((1u << READER_FUNCTIONS) - 1, functions, sizeof functions);
    fprintf(out, "functions: %s\n", functions);
    if (library.fault == LibraryFault::loadRefused)
        return library_failed(out, "load", library, READER_CHECK_NOT_LOADED);
    char revision[READER_INFO_TEXT_SIZE];
    reader_library_text(revision, sizeof revision);
    fprintf(out, "load: ok\nlibrary revision: %s\n", revision);
    return READER_CHECK_OK;
}

void info_line(FILE* out, const char* what, const ReaderInfo& info)
{
    char text[READER_INFO_TEXT_SIZE];
    reader_info_text(info, text, sizeof text);
    fprintf(out, "%s: %s\n", what, text);
}

// The steps of opening the connection, from the library's results (named as the maker's
// functions are: 16 checks the USB handle, 13 connects), and once connected what the reader is.
int connection_steps(FILE* out, ReaderOutcome outcome, const ReaderDetail& detail)
{
    if (detail.connect == 0) fprintf(out, "USB handle check: ok\nUSB connect: not needed\n");
    else fprintf(out, "USB handle check: failed (result %d)\n", detail.connect);
    if (outcome == ReaderOutcome::noReader) {
        fprintf(out, "USB connect: failed (result %d): ", detail.check);
        return reason_line(out, outcome, nullptr, READER_CHECK_NO_READER);
    }
    if (detail.checkAsked) fprintf(out, "USB connect: ok\n");
    info_line(out, "firmware revision", reader_firmware_revision());
    info_line(out, "hardware version", reader_hardware_version());
    if (outcome == ReaderOutcome::selectRefused) {
        fprintf(out, "select: failed (result %d): ", detail.select);
        return reason_line(out, outcome, nullptr, READER_CHECK_SELECT);
    }
    fprintf(out, "select: ok\n");
    return READER_CHECK_OK;
}

int tag_steps(FILE* out)
{
    // A UID digit the tag did not send shows as '?', as in the window's caption.
    char uid[UID_DIGITS + 1];
    int result = 0;
    if (!tag_uid_digits(uid, &result)) {
        fprintf(out, "identification: failed (result %d): ", result);
        return reason_line(out, ReaderOutcome::noTag, nullptr, READER_CHECK_NO_TAG);
    }
    fprintf(out, "identification: UID %s\n", uid);
    uint8_t block[BLOCK_SIZE + 3];
    if (tag_read_bytes(0, 1, block) == 0) {
        fprintf(out, "block read: failed: block 0 gives no data (answer \"%s\")\n", AnswerText);
        return READER_CHECK_BLOCK_READ;
    }
    fprintf(out, "block read: block 0 holds %02X%02X%02X%02X\n", block[0], block[1], block[2], block[3]);
    return READER_CHECK_OK;
}

}  // namespace

int diagnose_reader(FILE* out)
{
    ReaderDetail detail;
    ReaderOutcome outcome = reader_open(&detail);
    int status = library_steps(out, *detail.library);
    if (status == READER_CHECK_OK) status = connection_steps(out, outcome, detail);
    if (status == READER_CHECK_OK) status = tag_steps(out);
    if (status == READER_CHECK_OK) fprintf(out, "reader: ok\n");
    fflush(out);
    return status;
}
