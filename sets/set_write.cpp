// Writing a set file: a header saying where the values come from, then one parameter a line,
// the stored number exact and, for a time or a version, what it stands for as a comment.
#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/text_quote.h"
#include "model/time_text.h"
#include "sets/param_set.h"

namespace {

bool put(const SetOutput& out, const char* text)
{
    return out.write(out.context, text, strlen(text));
}

bool write_entry(const SetEntry& e, const SetOutput& out)
{
    char quoted[QUOTED_TEXT_SIZE];
    char value[STORED_TEXT_SIZE] = "not-set";
    char meaning[UTC_TEXT_SIZE] = "";
    char line[QUOTED_TEXT_SIZE + 96];
    quote_text(e.name, quoted, sizeof quoted);
    if (e.valueSet) {
        format_stored(e.type, e.value, value, sizeof value);
        stored_meaning(e.type, e.value, meaning, sizeof meaning);
    }
    snprintf(line, sizeof line, "%s %ld %s %s%s%s\n", quoted, static_cast<long>(e.address), type_name(e.type), value,
             meaning[0] != '\0' ? "   # " : "", meaning);
    return put(out, line);
}

bool write_to_file(void* context, const char* bytes, size_t length)
{
    return fwrite(bytes, 1, length, static_cast<FILE*>(context)) == length;
}

}  // namespace

bool write_param_set(const ParamSet& set, const SetOutput& out)
{
    char saved[UTC_TEXT_SIZE];
    char header[160];
    format_utc(set.saved, saved, sizeof saved);
    snprintf(header, sizeof header,
             "# Pelox parameter set\ntool %s\nuid %016llX\nsaved %s\nconfiguration %u parameters, fingerprint %08X\n",
             set.tool, static_cast<unsigned long long>(set.uid), saved, static_cast<unsigned>(set.configCount),
             static_cast<unsigned>(set.fingerprint));
    if (!put(out, header)) return false;
    for (int i = 0; i < set.count && i < SET_MAX_ENTRIES; ++i)
        if (!write_entry(set.entries[i], out)) return false;
    return true;
}

bool write_param_set_file(const char* path, const ParamSet& set)
{
    FILE* file = fopen(path, "wb");
    if (file == nullptr) return false;
    bool written = write_param_set(set, SetOutput{file, write_to_file});
    written = fclose(file) == 0 && written;
    if (!written) remove(path);
    return written;
}
