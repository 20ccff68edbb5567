// Reading "Pelox.ini" lines: the header into the settings, a definition into a table record.
#include "model/config.h"

#include <string.h>

#include "model/text_number.h"
#include "model/value_codec.h"

uint32_t password = 0;
int32_t Setsecurity = 0;
uint32_t scanEnabled = 0;
int32_t scanInterval = SCAN_INTERVAL_INITIAL;
ConfigText configText = ConfigText::ascii;

void reset_settings()
{
    password = 0;
    Setsecurity = 0;
    scanEnabled = 0;
    scanInterval = SCAN_INTERVAL_INITIAL;
}

const TypeKeyword typeKeywords[TYPE_KEYWORD_COUNT] = {
    {"Type=int8", ParamType::int8}, {"Type=int16", ParamType::int16}, {"Type=int32", ParamType::int32},
    {"Type=time", ParamType::time}, {"Type=swver", ParamType::swver}, {"Type=empty", ParamType::empty},
};

const char* type_name(ParamType type)
{
    for (const TypeKeyword& keyword : typeKeywords)
        if (keyword.type == type) return keyword.text + strlen("Type=");
    return "none";
}

namespace {

// Copies the text after the opening quote up to the next quote or the end of the line.
void copy_quoted(const char* from, char* to, size_t size)
{
    size_t n = 0;
    while (from[n] != '\0' && from[n] != '"' && n + 1 < size) {
        to[n] = from[n];
        ++n;
    }
    to[n] = '\0';
}

enum class FieldNumber { ok, notANumber, tooLarge };

// Whether c can go on a number or a word: after the digits it makes the number something else.
bool continues_number(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == '_';
}

// The number after "Address=" or "Default=": decimal digits, with blanks and a sign before them,
// ending at anything that cannot go on a number (a blank, a comma, a semicolon, a quote, the line
// end). Read as atoi reads it, "Address=0x10", "Address=16x" and "Default=5V" would give 0, 16 and
// 5: a parameter in another's place, a default nobody meant.
FieldNumber read_field_number(const char* s, int32_t* value)
{
    const char* end = nullptr;
    switch (scan_decimal(s, value, &end)) {
    case NumberScan::overflow: return FieldNumber::tooLarge;
    case NumberScan::none: return FieldNumber::notANumber;
    case NumberScan::ok: break;
    }
    return continues_number(*end) ? FieldNumber::notANumber : FieldNumber::ok;
}

LineVerdict reject(ParamEntry* record, LineVerdict why)
{
    record->type = ParamType::none;
    return why;
}

}  // namespace

HeaderReading apply_header_line(const char* line)
{
    HeaderReading reading = {};
    // "Pwd=%x set=%d": each field is read only when everything before it matched.
    const char* p = line;
    uint32_t pw = 0;
    if (strncmp(p, "Pwd=", 4) == 0 && scan_hex(p + 4, &pw, &p) == NumberScan::ok) {
        password = pw;
        reading.passwordRead = true;
        p = skip_blanks(p);
        int32_t set = 0;
        if (strncmp(p, "set=", 4) == 0 && scan_decimal(p + 4, &set) == NumberScan::ok) {
            Setsecurity = set;
            reading.setRead = true;
        }
    }
    const char* scan = strstr(line, "scan");
    if (scan != nullptr) {
        reading.scanFound = true;
        scanEnabled = 1;
        int32_t interval = 0;
        reading.scanNumberRead = scan_decimal(scan + 4, &interval) == NumberScan::ok;
        scanInterval = reading.scanNumberRead ? interval : SCAN_INTERVAL_INITIAL;
        if (scanInterval < SCAN_INTERVAL_MIN) {
            scanInterval = SCAN_INTERVAL_MIN;
            reading.scanRaised = true;
        }
    }
    return reading;
}

void blank_quoted_texts(const char* line, char* out, size_t size)
{
    if (size == 0) return;
    size_t n = strnlen(line, size - 1);
    memcpy(out, line, n);
    out[n] = '\0';
    const char* const kTexts[] = {"Name=\"", "Description=\""};
    for (const char* key : kTexts) {
        char* text = strstr(out, key);
        if (text == nullptr) continue;
        for (char* c = text + strlen(key); *c != '\0' && *c != '"'; ++c) *c = ' ';
    }
}

LineVerdict parse_param_line_verdict(const char* whole, ParamEntry* record)
{
    const char* p = whole;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '#') return LineVerdict::comment;

    const char* name = strstr(whole, "Name=\"");
    if (name == nullptr) return LineVerdict::noName;
    copy_quoted(name + 6, record->name, sizeof record->name);

    const char* description = strstr(whole, "Description=\"");
    if (description == nullptr) return LineVerdict::noDescription;
    copy_quoted(description + 13, record->description, sizeof record->description);

    // Every keyword from here on is looked for outside the texts: "Serial, not Changeable" in a
    // description must not make a display-only serial number writable.
    char line[DEFINITION_LINE_SIZE];
    blank_quoted_texts(whole, line, sizeof line);
    const char* address = strstr(line, "Address=");
    if (address == nullptr) return LineVerdict::noAddress;
    switch (read_field_number(address + 8, &record->address)) {
    case FieldNumber::ok: break;
    case FieldNumber::notANumber: return reject(record, LineVerdict::addressNotANumber);
    case FieldNumber::tooLarge: return reject(record, LineVerdict::addressTooLarge);
    }

    if (strstr(line, "Default") != nullptr) record->mode = EditMode::Default;
    else if (strstr(line, "Changeable") != nullptr) record->mode = EditMode::Changeable;
    else record->mode = EditMode::DisplayOnly;

    record->type = ParamType::none;
    for (const TypeKeyword& keyword : typeKeywords) {
        if (strstr(line, keyword.text) != nullptr) {
            record->type = keyword.type;
            break;
        }
    }
    if (record->type == ParamType::none) return LineVerdict::noType;

    // Every stored byte must be reachable: block numbers are a single byte.
    int size = stored_size(record->type);
    if (size > 0 && (record->address < 0 || record->address > MEMORY_SIZE - size))
        return reject(record, LineVerdict::outsideMemory);

    const char* def = strstr(line, "Default=");
    if (def == nullptr) {
        record->defaultValue = 0;
        return LineVerdict::accepted;
    }
    int32_t value = 0;
    // "Default=" with nothing after it is a bare "Default": default 0.
    const char* after = def + 8;
    const char* first = skip_blanks(after);
    bool signOrDigit = *first == '+' || *first == '-' || (*first >= '0' && *first <= '9');
    if (continues_number(*after) || *after == '+' || *after == '-' || signOrDigit) {
        switch (read_field_number(def + 8, &value)) {
        case FieldNumber::ok: break;
        case FieldNumber::notANumber: return reject(record, LineVerdict::defaultNotANumber);
        case FieldNumber::tooLarge: return reject(record, LineVerdict::defaultTooLarge);
        }
    }
    record->defaultValue = value;
    return LineVerdict::acceptedWithDefault;
}

int parse_param_line(const char* line, ParamEntry* record)
{
    switch (parse_param_line_verdict(line, record)) {
    case LineVerdict::accepted: return 1;
    case LineVerdict::acceptedWithDefault: return 2;
    default: return 0;
    }
}
