// Numbers per device: the option read, the parameter found, the range checked.
#include "tagtool/numbering.h"

#include <stdint.h>
#include <string.h>

#include "model/text_number.h"
#include "model/text_quote.h"
#include "model/value_codec.h"
#include "tagtool/log_index.h"

namespace {

// The first record of the name from index from on, -1 when there is none.
int find_record(const char* name, int from = 0)
{
    for (uint32_t i = static_cast<uint32_t>(from); i < entryCount && i < PARAM_COUNT; ++i)
        if (strcmp(ParamTable[i].name, name) == 0) return static_cast<int>(i);
    return -1;
}

// Whether Min= or Max= narrow what the record's type holds, so that a message names them.
bool limited(const ParamEntry& p)
{
    int32_t low = 0, high = 0;
    return type_range(p.type, &low, &high) && (p.minValue != low || p.maxValue != high);
}

// The set's entry of the parameter, added (with no value yet) when the set has none; -1 when the
// set names it with another address or type.
int entry_for(ParamSet* set, const ParamEntry& p)
{
    for (int i = 0; i < set->count; ++i) {
        const SetEntry& e = set->entries[i];
        if (strcmp(e.name, p.name) != 0) continue;
        return e.address == p.address && e.type == p.type ? i : -1;
    }
    if (set->count >= SET_MAX_ENTRIES) return -1;
    SetEntry& e = set->entries[set->count];
    e = SetEntry{};
    memcpy(e.name, p.name, sizeof e.name);
    e.address = p.address;
    e.type = p.type;
    return set->count++;
}

bool refuse(FILE* err, const char* option, const char* why)
{
    fprintf(err, "pelox-tag: error: --number %s: %s\n", option, why);
    return false;
}

}  // namespace

bool parse_numbering(const char* option, ParamSet* set, Numbering* number, bool* continues, FILE* err)
{
    *number = Numbering{-1, 0, 1, 0};
    const char* equals = strrchr(option, '=');
    if (equals == nullptr || equals == option)
        return refuse(err, option, "NAME=FIRST[,STEP] or NAME=continue expected");
    char name[PARAM_TEXT_SIZE] = "";
    size_t length = static_cast<size_t>(equals - option);
    if (length < sizeof name) memcpy(name, option, length), name[length] = '\0';
    int record = length < sizeof name ? find_record(name) : -1;
    if (record < 0) return refuse(err, option, "no parameter of that name in the configuration");
    // Which of the two would get the numbers is anybody's guess: the set's entry matches either.
    int twice = find_record(name, record + 1);
    if (twice >= 0) {
        char why[120];
        snprintf(why, sizeof why, "the configuration defines this name twice (parameters %d and %d)", record + 1,
                 twice + 1);
        return refuse(err, option, why);
    }
    const ParamEntry& p = ParamTable[record];
    int32_t low = 0, high = 0;
    if (p.mode != EditMode::Changeable || !type_range(p.type, &low, &high))
        return refuse(err, option, "not a Changeable parameter: a number is written only where a value may be typed");
    number->high = p.maxValue;
    // FIRST[,STEP]: each a whole decimal number, the step at least 1, so that no number is given twice.
    char first[LOG_FIELD_SIZE];
    snprintf(first, sizeof first, "%s", equals + 1);
    char* comma = strchr(first, ',');
    int32_t step = 1, value = 0;
    if (comma != nullptr) {
        *comma = '\0';
        NumberScan scan = scan_whole_decimal(comma + 1, &step);
        if (scan != NumberScan::ok || step < 1)
            return refuse(err, option, "STEP: a whole number from 1 expected (a number is given once)");
    }
    *continues = strcmp(first, "continue") == 0;
    NumberScan scan = *continues ? NumberScan::ok : scan_whole_decimal(first, &value);
    if (scan == NumberScan::none) return refuse(err, option, "FIRST: a whole decimal number or continue expected");
    // continue has no FIRST yet: numbers_fit judges the one the log gives.
    if (!*continues && (scan == NumberScan::overflow || value < p.minValue || value > p.maxValue)) {
        char why[120];
        if (limited(p))
            snprintf(why, sizeof why, "FIRST is outside the values %ld to %ld of the configuration (Min=, Max=)",
                     static_cast<long>(p.minValue), static_cast<long>(p.maxValue));
        else
            snprintf(why, sizeof why, "FIRST does not fit %s (%ld to %ld)", type_name(p.type), static_cast<long>(low),
                     static_cast<long>(high));
        return refuse(err, option, why);
    }
    number->entry = entry_for(set, p);
    if (number->entry < 0) return refuse(err, option, "the set names this parameter with another address or type");
    // The set's own value never reaches a device, each gets its number (numbers_fit judges those):
    // a value the configuration now refuses must not refuse the set.
    set->entries[number->entry].valueSet = false;
    number->next = value;
    number->step = step;
    return true;
}

bool continue_numbering(const char* logPath, RunKind kind, const ParamSet& set, Numbering* number, FILE* err)
{
    int64_t highest = 0;
    number->continues = true;
    if (index_highest(run_kind_word(kind), &highest)) {
        number->next = highest + number->step;
        return true;
    }
    char quoted[QUOTED_TEXT_SIZE];
    quote_text(set.entries[number->entry].name, quoted, sizeof quoted);
    fprintf(err, "%s: error: no row records a number of %s: give the first (--number NAME=FIRST)\n", logPath, quoted);
    return false;
}

bool numbers_fit(const ParamSet& set, const Numbering& number, int count, FILE* err)
{
    if (number.entry < 0) return true;
    int record = find_record(set.entries[number.entry].name);
    if (record < 0) return true;  // parse_numbering found it; the configuration has not changed since
    const ParamEntry& p = ParamTable[record];
    int32_t low = 0, high = 0;
    type_range(p.type, &low, &high);  // a bound other than the type's is the line's Min= or Max=
    int64_t last = number.next + (count > 0 ? static_cast<int64_t>(count - 1) * number.step : 0);
    char quoted[QUOTED_TEXT_SIZE];
    quote_text(p.name, quoted, sizeof quoted);
    // FIRST was checked, but a number continued from the log was not.
    if (number.next < p.minValue) {
        fprintf(err, "pelox-tag: error: --number: %s would start at %lld, below %ld, the smallest %s\n", quoted,
                static_cast<long long>(number.next), static_cast<long>(p.minValue),
                p.minValue != low ? "of the configuration (Min=)" : "its type holds");
        return false;
    }
    if (last <= p.maxValue) return true;
    fprintf(err, "pelox-tag: error: --number: %s would reach %lld, beyond %ld, the largest %s\n", quoted,
            static_cast<long long>(last), static_cast<long>(p.maxValue),
            p.maxValue != high ? "of the configuration (Max=)" : "its type holds");
    return false;
}
