// Runs the checker on text and collects its report in a string.
#include "checker/checker_run.h"

#include <sstream>
#include <vector>

#include "checker/check_config.h"

namespace {

void append(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
}

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
    CheckRun run = {0, ""};
    run.status = check_config_text("Pelox.ini", content.data(), content.size(), CheckOutput{&run.text, append});
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
