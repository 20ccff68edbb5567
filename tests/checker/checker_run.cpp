// Runs the checker into a report file and reads the report back.
#include "checker/checker_run.h"

#include <stdio.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "checker/check_config.h"
#include "support/temp_files.h"

namespace {

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
    return lines;
}

}  // namespace

CheckRun run_check(const std::string& content)
{
    TempFolder folder;
    std::string path = folder.write("Pelox.ini", content);
    std::string reportPath = folder.path() + "report.txt";
    FILE* out = fopen(reportPath.c_str(), "wb");
    CheckRun run = {check_config(path.c_str(), out), ""};
    fclose(out);

    std::ifstream in(reportPath, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    run.text = bytes.str();
    for (size_t at; (at = run.text.find(folder.path())) != std::string::npos;) run.text.erase(at, folder.path().size());
    return run;
}

std::string definition_findings(const std::string& definitions)
{
    std::vector<std::string> lines = split(run_check("Pwd=1 set=1\n" + definitions).text);
    std::string result;
    for (size_t i = 1; i + 1 < lines.size(); ++i) result += lines[i];
    return result;
}

std::string lines_with(const CheckRun& run, const std::string& marker)
{
    std::string result;
    for (const std::string& line : split(run.text))
        if (line.find(marker) != std::string::npos) result += line;
    return result;
}

std::string last_lines(const CheckRun& run, int count)
{
    std::vector<std::string> lines = split(run.text);
    std::string result;
    for (size_t i = lines.size() - static_cast<size_t>(count); i < lines.size(); ++i) result += lines[i];
    return result;
}
