// The words of a report, of a read error and of a stored value.
#include "sets/set_text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/text_quote.h"
#include "model/time_text.h"

namespace {

void add_value(char* out, size_t size, ParamType type, bool valueSet, int32_t value)
{
    if (!valueSet) {
        append_format(out, size, "not set");
        return;
    }
    char number[STORED_TEXT_SIZE], meaning[UTC_TEXT_SIZE];
    format_stored(type, value, number, sizeof number);
    stored_meaning(type, value, meaning, sizeof meaning);
    append_format(out, size, meaning[0] != '\0' ? "%s (%s)" : "%s%s", number, meaning);
}

void add_reason(char* out, size_t size, const SetItem& item, const ParamSet& set)
{
    const SetEntry* e = item.entry >= 0 ? &set.entries[item.entry] : nullptr;
    const ParamEntry* p = item.record >= 0 ? &ParamTable[item.record] : nullptr;
    int b = item.block;
    switch (item.reason) {
    case SetReason::none: break;
    case SetReason::displayOnly: append_format(out, size, ": display only"); break;
    case SetReason::softwareVersion: append_format(out, size, ": a software version is never written"); break;
    case SetReason::notSetInSet: append_format(out, size, ": not set in the set"); break;
    case SetReason::notItsDefault:
        append_format(out, size, ": a Default parameter is written only to its default, %ld; the set holds %ld",
                      static_cast<long>(p->defaultValue), static_cast<long>(e->value));
        break;
    case SetReason::doesNotFit:
        append_format(out, size, ": the set's value does not fit %s", type_name(p->type));
        break;
    case SetReason::outsideLimits:
        append_format(out, size, ": the set's value is outside the values %ld to %ld of the configuration (Min=, Max=)",
                      static_cast<long>(p->minValue), static_cast<long>(p->maxValue));
        break;
    case SetReason::notInSet: append_format(out, size, ": not in the set"); break;
    case SetReason::notInConfiguration: append_format(out, size, ": not in the configuration"); break;
    case SetReason::addressDiffers:
        append_format(out, size, ": address %ld in the set, %ld in the configuration", static_cast<long>(e->address),
                      static_cast<long>(p->address));
        break;
    case SetReason::typeDiffers:
        append_format(out, size, ": type %s in the set, %s in the configuration", type_name(e->type),
                      type_name(p->type));
        break;
    case SetReason::addressAndTypeDiffer:
        append_format(out, size, ": address %ld and type %s in the set, %ld and %s in the configuration",
                      static_cast<long>(e->address), type_name(e->type), static_cast<long>(p->address),
                      type_name(p->type));
        break;
    case SetReason::noAnswer: append_format(out, size, ": no answer reading block %d", b); break;
    case SetReason::writeRefused:
        append_format(out, size, ": the tag refused block %d, also after the password was presented again", b);
        break;
    case SetReason::writeNoAnswer: append_format(out, size, ": no answer writing block %d", b); break;
    case SetReason::readBackFailed: append_format(out, size, ": written, but reading block %d back failed", b); break;
    case SetReason::readBackDiffers:
        append_format(out, size, ": written, but block %d reads back other bytes", b);
        break;
    case SetReason::tagChanged:
        append_format(out, size, ": another tag, or none, answered before the writes: nothing written");
        break;
    case SetReason::notVerified:
        append_format(out, size, ": written, but another tag, or none, answered after the read-back: not verified");
        break;
    case SetReason::earlierFailure: append_format(out, size, ": the apply stopped at block %d before it", b); break;
    }
}

const char* status_word(SetStatus status)
{
    switch (status) {
    case SetStatus::read: return "read";
    case SetStatus::same: return "same";
    case SetStatus::different: return "different";
    case SetStatus::written: return "written";
    case SetStatus::failed: return "failed";
    case SetStatus::notWritten: return "not written";
    case SetStatus::toWrite: return "write";
    case SetStatus::skipped: break;
    }
    return "skipped";
}

}  // namespace

void append_format(char* out, size_t size, const char* format, ...)
{
    size_t used = strnlen(out, size);
    if (used + 1 >= size) return;
    va_list args;
    va_start(args, format);
    vsnprintf(out + used, size - used, format, args);
    va_end(args);
}

void format_stored(ParamType type, int32_t value, char* out, size_t size)
{
    if (type == ParamType::swver) snprintf(out, size, "%lu", static_cast<unsigned long>(static_cast<uint32_t>(value)));
    else snprintf(out, size, "%ld", static_cast<long>(value));
}

void stored_meaning(ParamType type, int32_t value, char* out, size_t size)
{
    uint32_t bits = static_cast<uint32_t>(value);
    if (type == ParamType::time) format_utc(value, out, size);
    else if (type == ParamType::swver) snprintf(out, size, "%u.%u.%u", bits >> 24, bits >> 16 & 0xFF, bits & 0xFFFF);
    else if (size > 0) out[0] = '\0';
}

void format_set_item(const SetReport& report, const ParamSet& set, int i, char* out, size_t size)
{
    if (size == 0) return;
    out[0] = '\0';
    if (i < 0 || i >= report.count) return;
    const SetItem& item = report.items[i];
    const SetEntry* e = item.entry >= 0 ? &set.entries[item.entry] : nullptr;
    const char* name = item.record >= 0 ? ParamTable[item.record].name : e->name;
    int32_t address = item.record >= 0 ? ParamTable[item.record].address : e->address;
    ParamType type = item.record >= 0 ? ParamTable[item.record].type : e->type;
    char quoted[QUOTED_TEXT_SIZE];
    quote_text(name, quoted, sizeof quoted);
    append_format(out, size, "%s (%ld, %s): %s", quoted, static_cast<long>(address), type_name(type),
                  status_word(item.status));
    switch (item.status) {
    case SetStatus::read:
    case SetStatus::same:
        append_format(out, size, " ");
        // What the tag holds: read, or found the same as the set's.
        add_value(out, size, type, e != nullptr ? e->valueSet : item.tagValueSet,
                  e != nullptr ? e->value : item.tagValue);
        break;
    case SetStatus::different:
        append_format(out, size, ": set ");
        add_value(out, size, type, e->valueSet, e->value);
        append_format(out, size, ", tag ");
        add_value(out, size, type, item.tagValueSet, item.tagValue);
        break;
    case SetStatus::written:
    case SetStatus::toWrite:
        append_format(out, size, " ");
        add_value(out, size, type, true, e->value);
        append_format(out, size, ", was ");
        add_value(out, size, type, item.tagValueSet, item.tagValue);
        break;
    default: add_reason(out, size, item, set); break;
    }
    if (item.mayBeHalfWritten) append_format(out, size, "; its image may be half written and show Not set");
}

const char* set_outcome_text(SetOutcome outcome)
{
    switch (outcome) {
    case SetOutcome::ok: return "ok";
    case SetOutcome::different: return "different";
    case SetOutcome::noReader: return "the reader could not be opened";
    case SetOutcome::noTag: return "no tag answered";
    case SetOutcome::readFailed: return "a block could not be read";
    case SetOutcome::incomplete: return "incomplete";
    case SetOutcome::anotherTag: return "another tag answered: nothing written";
    case SetOutcome::failed: break;
    }
    return "failed";
}

void format_set_summary(const SetReport& report, char* out, size_t size, const char* verdict)
{
    if (size == 0) return;
    out[0] = '\0';
    if (report.uidKnown) append_format(out, size, "%016llX: ", static_cast<unsigned long long>(report.uid));
    append_format(out, size, "%s: ", verdict != nullptr ? verdict : set_outcome_text(report.outcome));
    // The counts that are not 0, in the order of the statuses.
    const char* separator = "";
    for (int k = 0; k <= static_cast<int>(SetStatus::skipped); ++k) {
        int n = count_status(report, static_cast<SetStatus>(k));
        if (n == 0) continue;
        append_format(out, size, "%s%s %d", separator, status_word(static_cast<SetStatus>(k)), n);
        separator = ", ";
    }
    if (separator[0] == '\0') append_format(out, size, "no parameters");
    int mismatches = count_mismatches(report);
    if (mismatches > 0) append_format(out, size, " (%d not fitting the configuration)", mismatches);
    if (report.fingerprintDiffers) append_format(out, size, "; the set was saved with another configuration");
}

void format_set_read_error(const SetReadError& error, char* out, size_t size)
{
    if (size == 0) return;
    out[0] = '\0';
    const char* d = error.detail;
    switch (error.problem) {
    case SetProblem::none: append_format(out, size, "cannot read the file"); break;
    case SetProblem::notASetFile:
        append_format(out, size, "not a parameter set: the first line must be \"%s\"", kSetSignature);
        break;
    case SetProblem::lineTooLong:
        append_format(out, size, "the line is longer than %d characters", SET_LINE_SIZE - 1);
        break;
    case SetProblem::controlCharacter:
        append_format(out, size, "a control character (NUL, a lone carriage return, ...) in the line");
        break;
    case SetProblem::unknownLine:
        append_format(
            out, size,
            "\"%s\" is no header key (tool, uid, saved, configuration), and a parameter starts with its quoted name",
            d);
        break;
    case SetProblem::headerTwice:
        append_format(out, size, "\"%s\" given twice (first on line %d)", d, error.otherLine);
        break;
    case SetProblem::badTool: append_format(out, size, "tool: a version like 1.0.0 expected, not \"%s\"", d); break;
    case SetProblem::badUid: append_format(out, size, "uid: 16 hexadecimal digits expected, not \"%s\"", d); break;
    case SetProblem::badSaved:
        append_format(out, size, "saved: a time like 2026-12-08 23:13:20 UTC expected, not \"%s\"", d);
        break;
    case SetProblem::badConfiguration:
        append_format(out, size,
                      "configuration: \"<count> parameters, fingerprint <8 hex digits>\" expected, not \"%s\"", d);
        break;
    case SetProblem::headerMissing: append_format(out, size, "the set has no \"%s\" line", d); break;
    case SetProblem::badName:
        append_format(out, size,
                      "the name is not closed by a double quote, or holds a control character or an unknown escape");
        break;
    case SetProblem::badAddress:
        append_format(out, size, "address \"%s\": a decimal number from 0 expected, the stored bytes within 0-1023", d);
        break;
    case SetProblem::badType:
        append_format(out, size, "type \"%s\": int8, int16, int32, time or swver expected", d);
        break;
    case SetProblem::badValue:
        append_format(out, size, "value \"%s\": not-set, or a whole decimal number that fits the type, expected", d);
        break;
    case SetProblem::textAfterValue:
        append_format(out, size, "\"%s\" after the value (a comment starts with #)", d);
        break;
    case SetProblem::entryTwice:
        append_format(out, size, "the same name, address and type as line %d", error.otherLine);
        break;
    case SetProblem::tooManyEntries: append_format(out, size, "more than %d parameters", SET_MAX_ENTRIES); break;
    case SetProblem::badEnd: append_format(out, size, "\"%s\": the end line reads \"end <count> entries\"", d); break;
    case SetProblem::endCount:
        append_format(out, size,
                      "the end line counts %s entries, the file holds %d: lines were lost or added (a file cut off, "
                      "or an entry added or removed by hand without counting it)",
                      d, error.otherLine);
        break;
    case SetProblem::afterEnd:
        append_format(out, size, "a line after the end line (line %d): the file may be two files joined",
                      error.otherLine);
        break;
    case SetProblem::noEnd:
        append_format(out, size,
                      "the file stops without its end line \"end <count> entries\": it may be cut off. A set saved "
                      "by version 1.1.0 or earlier has none: check that its last parameter is whole, then add the "
                      "end line");
        break;
    case SetProblem::isFolder: append_format(out, size, "a folder, not a parameter set file"); break;
    case SetProblem::fileTooLong:
        append_format(out, size, "longer than %ld bytes, far too long for a parameter set: stopped reading",
                      SET_INPUT_LIMIT);
        break;
    }
}

void format_set_file_error(const char* path, const SetReadError& error, char* out, size_t size)
{
    if (size == 0) return;
    char message[SET_ITEM_TEXT_SIZE];
    format_set_read_error(error, message, sizeof message);
    out[0] = '\0';
    if (error.line == 0) append_format(out, size, "%s: error: %s", path, message);
    else append_format(out, size, "%s:%d: error: %s", path, error.line, message);
}

void format_not_set(const ParamSet& set, char* out, size_t size)
{
    if (size == 0) return;
    out[0] = '\0';
    int n = 0;
    for (int i = 0; i < set.count; ++i) n += !set.entries[i].valueSet;
    if (n == 0) return;
    append_format(out, size,
                  "stored as not-set (the tag holds no valid value; an apply leaves them as they are): %d:", n);
    for (int i = 0; i < set.count; ++i)
        if (!set.entries[i].valueSet && !add_quoted_name(out, size, set.entries[i].name)) return;
}

bool add_quoted_name(char* out, size_t size, const char* name)
{
    char quoted[QUOTED_TEXT_SIZE];
    quote_text(name, quoted, sizeof quoted);
    bool fits = strnlen(out, size) + 1 + strlen(quoted) + 5 <= size;
    if (fits) append_format(out, size, "%s%s", out[0] != '\0' ? " " : "", quoted);
    else append_format(out, size, " ...");
    return fits;
}
