// Findings about single definition lines: accepted as parameter N or skipped, and why; notes on
// the readings that surprise people.
#pragma once
#include <stdint.h>

#include "checker/findings.h"
#include "model/config.h"

// Whitespace only (a blank line, or the blank rest of an overlong line): never a problem.
bool is_blank_chunk(const Chunk& chunk);

// A line the tool read; record is the record it was parsed into, index its number.
void report_definition(Report& report, const Chunk& chunk, LineVerdict verdict, const LineDetail& detail,
                       const ParamEntry& record, uint32_t index);

// A line after the 100th parameter, which the tool never reads; record holds the line's fields.
void report_never_read(Report& report, const Chunk& chunk, LineVerdict verdict, const LineDetail& detail,
                       const ParamEntry& record);
