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

void show_reader_problem(ReaderOutcome outcome)
{
    const char* problem = reader_outcome_text(outcome);
    if (problem != nullptr) set_field_text(IDC_VALUE_BOX, problem);
}

bool open_reader()
{
    ReaderOutcome outcome = reader_open();
    show_reader_problem(outcome);
    return outcome == ReaderOutcome::ok;
}
