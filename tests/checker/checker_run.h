// Runs the checker on a file written by the test and gives back its status and its report.
#pragma once
#include <string>
#include <vector>

struct CheckRun {
    int status;
    std::string text;  // the report, with the temporary folder cut from every "FILE:" prefix
    std::vector<std::string> lines() const;
};

// Checks "Pelox.ini" holding content.
CheckRun run_check(const std::string& content);

// The findings about definition lines and across lines: the report of a file with a plain
// header ("Pwd=1 set=1") and the given definition lines, without its header and summary lines.
std::string definition_findings(const std::string& definitions);
