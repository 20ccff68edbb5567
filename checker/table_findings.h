// Findings across lines, from the loaded table: overlapping stored bytes, duplicate names and
// pages that show no row.
#pragma once
#include "checker/findings.h"

// Reads ParamTable, entryCount and lastPage as the load left them.
void report_table(Report& report);
