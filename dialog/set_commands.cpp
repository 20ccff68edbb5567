// Saving, comparing and writing parameter sets from the window, with the per-parameter texts
// that pelox-tag prints as well.
#include "dialog/set_commands.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "dialog/refresh.h"
#include "sets/apply_run.h"
#include "sets/param_set.h"
#include "platform/files.h"
#include "platform/path_size.h"
#include "sets/set_read.h"
#include "sets/set_report.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "sets/set_write.h"

namespace {

ParamSet set;
SetReport report;
char setFolder[PATH_SIZE];
char result[SET_RESULT_TEXT_SIZE];
size_t used;

// Adds a line; a result too long for the buffer ends with a line that says so.
void add_line(const char* line)
{
    static const char kCut[] = "(more lines than the window shows)\r\n";
    size_t length = strlen(line);
    if (used + length + 2 + sizeof kCut > sizeof result) {
        if (used + sizeof kCut <= sizeof result && strstr(result, kCut) == nullptr) {
            memcpy(result + used, kCut, sizeof kCut);
            used += sizeof kCut - 1;
        }
        return;
    }
    memcpy(result + used, line, length);
    memcpy(result + used + length, "\r\n", 3);
    used += length + 2;
}

// The verdict first; a command that could not start says so in that one line.
bool add_verdict(const char* nothing)
{
    char line[SET_ITEM_TEXT_SIZE];
    bool started = report.outcome != SetOutcome::noReader && report.outcome != SetOutcome::noTag;
    if (started) format_set_summary(report, line, sizeof line);
    else snprintf(line, sizeof line, "%s: nothing was %s.", set_outcome_text(report.outcome), nothing);
    add_line(line);
    return started;
}

// Then the parameters that need attention (different, failed, not written), then the rest.
void add_items()
{
    char line[SET_ITEM_TEXT_SIZE];
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < report.count; ++i) {
            if (needs_attention(report.items[i].status) != (pass == 0)) continue;
            format_set_item(report, set, i, line, sizeof line);
            add_line(line);
        }
}

void add_report(const char* nothing)
{
    if (add_verdict(nothing)) add_items();
}

bool read_set(const char* path)
{
    SetReadError error;
    if (read_param_set_file(path, &set, &error)) return true;
    char line[FILE_PATH_SIZE + SET_ITEM_TEXT_SIZE];
    format_set_file_error(path, error, line, sizeof line);
    add_line(line);
    add_line("Nothing was compared or written.");
    return false;
}

// A save replaces a parameter set (the file dialog has asked), never a folder or another file.
bool may_replace(const char* path)
{
    SetTarget target = set_target(path);
    if (target == SetTarget::absent || target == SetTarget::set) return true;
    char line[FILE_PATH_SIZE + 80];
    snprintf(line, sizeof line, "%s: %s: nothing was saved.", path,
             target == SetTarget::folder ? "a folder" : "not a parameter set, never replaced by a save");
    add_line(line);
    return false;
}

}  // namespace

const char* run_set_command(SetCommand command, const char* path, int64_t now)
{
    used = 0;
    result[0] = '\0';
    switch (command) {
    case SetCommand::save: {
        if (!may_replace(path)) break;
        SetOutcome outcome = save_tag_set(now, &set, &report);
        if (!add_verdict("saved")) break;
        if (outcome != SetOutcome::ok) add_line("Nothing was saved: the set would be incomplete.");
        else if (!write_param_set_file(path, set))
            add_line("The file cannot be written (the disk full, or no right to write there): nothing was saved, "
                     "a file that was there is as it was.");
        else {
            char line[FILE_PATH_SIZE + 16];
            snprintf(line, sizeof line, "Saved to %s.", path);
            add_line(line);
            char notSet[SET_MAX_ENTRIES * 24];
            format_not_set(set, notSet, sizeof notSet);
            if (notSet[0] != '\0') add_line(notSet);
        }
        add_items();
        break;
    }
    case SetCommand::compare:
        if (!read_set(path)) break;
        compare_tag_set(set, &report);
        add_report("compared");
        break;
    case SetCommand::write:
        if (!read_set(path)) break;
        apply_tag_set(set, &report);
        add_report("written");
        refresh_page();
        break;
    }
    return result;
}

bool propose_set_name(char* name, int size, int64_t now)
{
    char uid[17];
    if (size <= 0 || !shown_uid(uid, sizeof uid)) return false;
    time_t when = static_cast<time_t>(now);
    const tm* local = localtime(&when);
    if (local == nullptr) return false;
    int n = snprintf(name, static_cast<size_t>(size), "%s-%04d-%02d-%02d.set", uid, local->tm_year + 1900,
                     local->tm_mon + 1, local->tm_mday);
    return n > 0 && n < size;
}

void remember_set_folder(const char* path)
{
    const char* end = nullptr;
    for (const char* at = path; *at != '\0'; ++at)
        if (*at == '\\' || *at == '/') end = at + 1;
    if (end == nullptr || static_cast<size_t>(end - path) >= sizeof setFolder) return;
    memcpy(setFolder, path, static_cast<size_t>(end - path));
    setFolder[end - path] = '\0';
}

const char* last_set_folder()
{
    return setFolder;
}
