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
SkippedLines skippedLines = {0, 0};

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

bool blank_line(const char* line, int length)
{
    for (int i = 0; i < length; ++i)
        if (!is_blank_char(line[i])) return false;
    return true;
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

// What may follow a number: a blank, a tab, a comma, a semicolon or the line end. "Address=16+1",
// "Address=0x10" and "Default=5V", read as atoi reads them, would give 16, 0 and 5: a parameter in
// another's place, a default nobody meant.
bool ends_number(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n' || c == '\0' ||
           c == CONFIG_END_OF_FILE;
}

bool blank_or_tab(char c)
{
    return c == ' ' || c == '\t';
}

// The number after a key: blanks, then a whole decimal number with an optional sign, bare or
// between double quotes ("3300", as names are written), then one of the characters above.
FieldNumber read_field_number(const char* s, int32_t* value)
{
    while (blank_or_tab(*s)) ++s;
    bool quoted = *s == '"';
    if (quoted) ++s;
    const char* end = nullptr;
    int32_t number = 0;
    NumberScan scan = scan_decimal(s, &number, &end);
    if (scan == NumberScan::none) return FieldNumber::notANumber;
    if (quoted) {
        while (blank_or_tab(*end)) ++end;
        if (*end++ != '"') return FieldNumber::notANumber;
    }
    if (!ends_number(*end)) return FieldNumber::notANumber;
    if (scan == NumberScan::overflow) return FieldNumber::tooLarge;
    *value = number;
    return FieldNumber::ok;
}

// Where the text after a key starts, as an offset into the line.
int offset(const char* line, const char* at)
{
    return static_cast<int>(at - line);
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

LineVerdict parse_param_line_verdict(const char* whole, ParamEntry* record, LineDetail* detail)
{
    LineDetail unused;
    if (detail == nullptr) detail = &unused;
    *detail = LineDetail{nullptr, -1, false, ParamType::none};
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
    detail->key = "Address=", detail->valueAt = offset(line, address + 8);
    switch (read_field_number(address + 8, &record->address)) {
    case FieldNumber::ok: detail->key = nullptr, detail->valueAt = -1; break;
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
    detail->type = record->type;

    // Every stored byte must be reachable: block numbers are a single byte.
    int size = stored_size(record->type);
    if (size > 0 && (record->address < 0 || record->address > MEMORY_SIZE - size))
        return reject(record, LineVerdict::outsideMemory);

    // Min= and Max= narrow what a write may store; each must be a value the type holds. Types
    // that are never written keep the whole 32-bit range.
    int32_t low = INT32_MIN, high = INT32_MAX;
    bool ranged = type_range(record->type, &low, &high);
    record->limited = false;
    record->minValue = low;
    record->maxValue = high;
    const char* const kLimitKeys[] = {"Min=", "Max="};
    int32_t* const limits[] = {&record->minValue, &record->maxValue};
    for (int k = 0; k < 2; ++k) {
        const char* key = strstr(line, kLimitKeys[k]);
        if (key == nullptr) continue;
        detail->key = kLimitKeys[k], detail->valueAt = offset(line, key + 4);
        int32_t limit = 0;
        switch (read_field_number(key + 4, &limit)) {
        case FieldNumber::ok: break;
        case FieldNumber::notANumber: return reject(record, LineVerdict::limitNotANumber);
        case FieldNumber::tooLarge: return reject(record, LineVerdict::limitOutsideType);
        }
        if (ranged && (limit < low || limit > high)) return reject(record, LineVerdict::limitOutsideType);
        *limits[k] = limit;
        record->limited = true;
        detail->key = nullptr, detail->valueAt = -1;
    }
    if (record->minValue > record->maxValue) return reject(record, LineVerdict::minAboveMax);

    const char* def = strstr(line, "Default=");
    if (def == nullptr) {
        record->defaultValue = 0;
        return LineVerdict::accepted;
    }
    int32_t value = 0;
    // "Default=" with nothing after it is a bare "Default": default 0.
    const char* after = def + 8;
    const char* first = after;
    while (blank_or_tab(*first)) ++first;
    bool number = *first == '+' || *first == '-' || *first == '"' || (*first >= '0' && *first <= '9');
    detail->bareDefault = !number && ends_number(*after);
    if (!detail->bareDefault) {
        detail->key = "Default=", detail->valueAt = offset(line, after);
        switch (read_field_number(after, &value)) {
        case FieldNumber::ok: detail->key = nullptr, detail->valueAt = -1; break;
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
