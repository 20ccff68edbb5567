// A reader library for tests that need answers no real tag gives: every call takes its result
// and answer text from a script; calls beyond the script fail. Requests are logged.
#pragma once
#include <string>
#include <vector>

struct ScriptedCall {
    int result;
    std::string answer;  // cut to 51 characters when handed out
};

// Replaces the script and clears the log. connect, check and select take script entries too.
void reader_script_set(const std::vector<ScriptedCall>& calls);
// "connect", "check", then the command texts of select and send/receive, in call order.
const std::vector<std::string>& reader_script_log();
