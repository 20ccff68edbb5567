// Runs the checker into a report file and reads the report back.
#include "checker/checker_run.h"

#include <stdio.h>

#include <fstream>
#include <sstream>

#include "checker/check_config.h"
#include "support/temp_files.h"

std::vector<std::string> CheckRun::lines() const
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

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
    for (size_t at; (at = run.text.find(folder.path())) != std::string::npos;)
        run.text.erase(at, folder.path().size());
    return run;
}

std::string definition_findings(const std::string& definitions)
{
    std::vector<std::string> lines = run_check("Pwd=1 set=1\n" + definitions).lines();
    std::string result;
    for (size_t i = 1; i + 1 < lines.size(); ++i) result += lines[i] + "\n";
    return result;
}
