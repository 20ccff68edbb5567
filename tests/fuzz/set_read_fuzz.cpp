// Fuzz target: the set file reader alone (read_param_set_text; no tag). A refused input leaves
// the set empty with a problem on a line the input has; an accepted one holds only entries a tag
// can take (known type, bytes within 0-1023, value in the type's range, no two alike), and
// written out and read again it is the same set, so what the writer puts, the reader takes.
#include <string.h>

#include <memory>
#include <string>

#include "fuzz/fuzz_check.h"
#include "model/value_codec.h"
#include "sets/param_set.h"
#include "sets/set_read.h"
#include "sets/set_text.h"
#include "sets/set_write.h"

namespace {

bool append(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
    return true;
}

std::string written(const ParamSet& set)
{
    std::string text;
    FUZZ_CHECK(write_param_set(set, SetOutput{&text, append}), "the writer refused a piece");
    return text;
}

void check_entries(const ParamSet& set)
{
    FUZZ_CHECK(set.count >= 0 && set.count <= SET_MAX_ENTRIES, "%d entries", set.count);
    for (int i = 0; i < set.count; ++i) {
        const SetEntry& e = set.entries[i];
        int size = stored_size(e.type);
        FUZZ_CHECK(memchr(e.name, '\0', sizeof e.name) != nullptr, "entry %d: name not terminated", i);
        FUZZ_CHECK(size > 0 && e.address >= 0 && e.address + size <= 1024, "entry %d: %d bytes at %d", i, size,
                   static_cast<int>(e.address));
        FUZZ_CHECK(!e.valueSet || e.type != ParamType::int8 || (e.value >= -128 && e.value <= 127), "entry %d", i);
        FUZZ_CHECK(!e.valueSet || e.type != ParamType::int16 || (e.value >= -32768 && e.value <= 32767), "entry %d", i);
        for (int j = 0; j < i; ++j)
            FUZZ_CHECK(set.entries[j].address != e.address || set.entries[j].type != e.type ||
                           strcmp(set.entries[j].name, e.name) != 0,
                       "entries %d and %d alike", j, i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_use_utc();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static std::unique_ptr<ParamSet> set = std::make_unique<ParamSet>(), again = std::make_unique<ParamSet>();
    SetReadError error;
    const char* bytes = reinterpret_cast<const char*>(data);
    if (!read_param_set_text(bytes, size, set.get(), &error)) {
        int lines = 1;
        for (size_t i = 0; i < size; ++i) lines += data[i] == '\n';
        FUZZ_CHECK(set->count == 0, "a refused set kept %d entries", set->count);
        FUZZ_CHECK(error.problem != SetProblem::none && error.line >= 1 && error.line <= lines,
                   "problem %d on line %d of %d", static_cast<int>(error.problem), error.line, lines);
        FUZZ_CHECK(memchr(error.detail, '\0', sizeof error.detail) != nullptr, "detail not terminated");
        char message[256];
        format_set_read_error(error, message, sizeof message);
        FUZZ_CHECK(message[0] != '\0', "no message for problem %d", static_cast<int>(error.problem));
        return 0;
    }
    check_entries(*set);
    std::string text = written(*set);
    FUZZ_CHECK(read_param_set_text(text.data(), text.size(), again.get(), &error), "written set refused on line %d",
               error.line);
    FUZZ_CHECK(written(*again) == text, "the set changed on its way through a file");
    return 0;
}
