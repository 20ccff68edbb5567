// Notes on definition lines that the tool reads differently from how they look.
#pragma once
#include "checker/findings.h"
#include "model/config.h"

// How the text was cut and read: NUL bytes, the rest of an overlong line.
void report_reading_notes(Report& report, const Chunk& chunk);

// Keywords written in another case ("changeable", "DEFAULT=", "type=int16"), which the tool, reading
// them case-sensitively, does not take: where a person meant the keyword.
void report_keyword_case_notes(Report& report, const Chunk& chunk);

// For an accepted line: mode keywords inside quoted texts (no longer the mode) or overridden, texts with
// no closing quote, "Default=" without a number, and defaults or types that the row button cannot write.
void report_parameter_notes(Report& report, const Chunk& chunk, const ParamEntry& record, const LineDetail& detail);
