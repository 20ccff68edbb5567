// The reader library of the answer fuzz target: results and answers from the input.
#include "fuzz/input_reader.h"

#include <string.h>

#include "fuzz/fuzz_check.h"
#include "tag/reader.h"

namespace {

const uint8_t* next;
const uint8_t* end;
std::vector<Exchange> exchanges;
const char kHex[] = "0123456789ABCDEF";

bool take(uint8_t* byte)
{
    if (next == end) return false;
    *byte = *next++;
    return true;
}

uint8_t take_or_zero()
{
    uint8_t b = 0;
    take(&b);
    return b;
}

// Mostly success, sometimes a failure code of either sign.
int take_result()
{
    uint8_t b;
    if (!take(&b)) return 1;
    if (b < 0xC0) return 0;
    return b == 0xFF ? -1 : b - 0xBF;
}

void put_hex(std::string& text, uint8_t b)
{
    text += kHex[b >> 4];
    text += kHex[b & 15];
}

bool has_prefix(const char* s, const char* prefix)
{
    return strncmp(s, prefix, strlen(prefix)) == 0;
}

// Payload bytes of a good answer to this request.
int payload_size(const char* command)
{
    if (has_prefix(command, "0220")) return 4;
    if (!strcmp(command, "022B")) return 14;
    return 0;
}

// Four ways to answer: raw bytes, a well-framed answer, an error flag, or random hex digits. All
// at most 51 characters, as the library's buffer allows.
std::string take_answer(const char* command)
{
    uint8_t mode;
    if (!take(&mode)) return "";
    std::string text;
    switch (mode % 4) {
    case 0: {
        int length = take_or_zero() % READER_TEXT_SIZE;
        for (int i = 0; i < length && next != end; ++i) {
            char c = static_cast<char>(*next++);
            if (c == '\0') break;
            text += c;
        }
        break;
    }
    case 1: {
        int payload = payload_size(command);
        text = "80";
        put_hex(text, static_cast<uint8_t>(payload + 4));
        text += "00";
        for (int i = 0; i < payload + 2; ++i) put_hex(text, take_or_zero());  // payload and frame CRC
        text += "00";
        break;
    }
    case 2:
        text = "800501";
        put_hex(text, take_or_zero());
        text += "000000";
        break;
    default: {
        int length = take_or_zero() % READER_TEXT_SIZE;
        for (int i = 0; i < length; ++i) text += kHex[take_or_zero() % 16];
        break;
    }
    }
    return text.substr(0, READER_TEXT_SIZE - 1);
}

int exchange(const char* command, char* answer)
{
    int result = take_result();
    std::string text = take_answer(command);
    memcpy(answer, text.c_str(), text.size() + 1);
    exchanges.push_back({command, result, text});
    return result;
}

bool hex_run(const char* s, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (s[i] == '\0' || !strchr(kHex, s[i])) return false;
    return true;
}

}  // namespace

void input_reader_start(const uint8_t* data, size_t size)
{
    next = data;
    end = data + size;
    exchanges.clear();
}

const std::vector<Exchange>& input_reader_log()
{
    return exchanges;
}

void input_reader_clear_log()
{
    exchanges.clear();
}

bool valid_select(const char* command)
{
    return command != nullptr && !strcmp(command, "010D");
}

bool valid_request(const char* command)
{
    if (command == nullptr) return false;
    size_t n = strnlen(command, READER_TEXT_SIZE);
    if (!strcmp(command, "022B") || !strcmp(command, "02B2020009") || !strcmp(command, "02B2022009")) return true;
    if (n == 6 && has_prefix(command, "0220")) return hex_run(command + 4, 2);
    if (n == 14 && has_prefix(command, "0221")) return hex_run(command + 4, 10);
    if (n == 16 && (has_prefix(command, "02B30201") || has_prefix(command, "02B10201"))) return hex_run(command + 8, 8);
    return false;
}

int reader_connect()
{
    int result = take_result();
    exchanges.push_back({"connect", result, ""});
    return result;
}

int reader_check()
{
    int result = take_result();
    exchanges.push_back({"check", result, ""});
    return result;
}

int reader_select(const char* command, char* answer)
{
    FUZZ_CHECK(valid_select(command), "select with \"%s\"", command ? command : "(null)");
    return exchange(command, answer);
}

int reader_send_receive(const char* command, char* answer)
{
    FUZZ_CHECK(valid_request(command), "request \"%s\"", command ? command : "(null)");
    return exchange(command, answer);
}
