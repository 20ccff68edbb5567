// Findings about the header line: the settings the tool takes from it and the fields it missed.
#pragma once
#include "checker/findings.h"
#include "model/config.h"

// header: the header line as read, or null when the file is empty. The settings
// (password, Setsecurity, scanEnabled, scanInterval) must already hold what the load made.
void report_header(Report& report, const Chunk* header, const HeaderReading& reading);
