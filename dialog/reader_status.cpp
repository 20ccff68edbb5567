// The reader connection's failures as row 0 shows them.
#include "dialog/reader_status.h"

#include "dialog/surface.h"

const char* reader_outcome_text(ReaderOutcome outcome)
{
    switch (outcome) {
    case ReaderOutcome::ok: break;
    case ReaderOutcome::noReader: return " NFC connect reader error";
    case ReaderOutcome::selectRefused: return "NFC select ISO error";
    }
    return nullptr;
}

bool open_reader()
{
    const char* problem = reader_outcome_text(reader_open());
    if (problem != nullptr) set_field_text(IDC_VALUE_BOX, problem);
    return problem == nullptr;
}
