// Scripted reader library.
#include "fakes/reader_script.h"

#include <string.h>

#include "tag/reader.h"

namespace {

std::vector<ScriptedCall> script;
size_t next = 0;
std::vector<std::string> callLog;

int take(const char* what, char* answer)
{
    callLog.push_back(what);
    if (next >= script.size()) {
        if (answer) strcpy(answer, "8700");
        return 1;
    }
    const ScriptedCall& call = script[next++];
    if (answer) {
        size_t n = call.answer.size() < READER_TEXT_SIZE - 1 ? call.answer.size() : READER_TEXT_SIZE - 1;
        memcpy(answer, call.answer.data(), n);
        answer[n] = '\0';
    }
    return call.result;
}

}  // namespace

void reader_script_set(const std::vector<ScriptedCall>& calls)
{
    script = calls;
    next = 0;
    callLog.clear();
}

const std::vector<std::string>& reader_script_log()
{
    return callLog;
}

int reader_connect()
{
    return take("connect", nullptr);
}

int reader_check()
{
    return take("check", nullptr);
}

int reader_select(const char* command, char* answer)
{
    return take(command, answer);
}

int reader_send_receive(const char* command, char* answer)
{
    return take(command, answer);
}
