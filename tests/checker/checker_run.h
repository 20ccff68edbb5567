// Runs the checker on text named "Pelox.ini" and gives back its status and its report.
#pragma once
#include <string>

struct CheckRun {
    int status;
    std::string text;  // the report
};

// Checks content as the file "Pelox.ini".
CheckRun run_check(const std::string& content);

// The report of a file with a plain header ("Pwd=1 set=1") and the given definition lines,
// without its header and summary lines.
std::string definition_findings(const std::string& definitions);

// The report's lines that contain marker (e.g. ": overlap: "), or its last count lines.
std::string lines_with(const CheckRun& run, const std::string& marker);
std::string last_lines(const CheckRun& run, int count);
