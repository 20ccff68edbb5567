// Writing a set file: a header saying where the values come from, then one parameter a line,
// the stored number exact and, for a time or a version, what it stands for as a comment.
#include "sets/set_write.h"

#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/text_quote.h"
#include "model/time_text.h"
#include "sets/param_set.h"
#include "platform/files.h"
#include "sets/set_text.h"

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
    return replacement_write(static_cast<FileReplacement*>(context), bytes, length);
}

}  // namespace

bool write_param_set(const ParamSet& set, const SetOutput& out)
{
    char saved[UTC_TEXT_SIZE];
    char header[160];
    format_utc(set.saved, saved, sizeof saved);
    snprintf(header, sizeof header,
             "%s\ntool %s\nuid %016llX\nsaved %s\nconfiguration %u parameters, fingerprint %08X\n", kSetSignature,
             set.tool, static_cast<unsigned long long>(set.uid), saved, static_cast<unsigned>(set.configCount),
             static_cast<unsigned>(set.fingerprint));
    if (!put(out, header)) return false;
    int count = set.count < SET_MAX_ENTRIES ? set.count : SET_MAX_ENTRIES;
    for (int i = 0; i < count; ++i)
        if (!write_entry(set.entries[i], out)) return false;
    char end[32];
    snprintf(end, sizeof end, "end %d %s\n", count, count == 1 ? "entry" : "entries");
    return put(out, end);
}

bool write_param_set_file(const char* path, const ParamSet& set)
{
    FileReplacement file;
    if (!replacement_begin(&file, path)) return false;
    return write_param_set(set, SetOutput{&file, write_to_file}) && replacement_commit(&file);
}

SetTarget set_target(const char* path)
{
    if (is_folder(path)) return SetTarget::folder;
    if (!file_exists(path)) return SetTarget::absent;
    FILE* file = open_file(path, "rb");
    if (file == nullptr) return SetTarget::other;
    char first[32] = "";
    size_t n = fread(first, 1, sizeof first - 1, file);
    fclose(file);
    first[n] = '\0';
    const char* rest = after_set_signature(first);
    bool signature = rest != nullptr && (*rest == '\n' || *rest == '\r' || *rest == '\0');
    return signature ? SetTarget::set : SetTarget::other;
}
