// Fuzz target: arbitrary text typed into a value box (at most 63 characters), written with the row
// button for every type and mode against a simulated tag. The box must hold one whole number
// (read here with strtoll) or, for a time, a date in the shown form (read with calendar arithmetic
// of our own); what must reach the tag is the reference image, and no other byte may change.
#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "dialog/marking.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "fakes/fake_surface.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reference_text.h"
#include "model/config.h"
#include "model/param_table.h"
#include "sim/sim_tag.h"

namespace {

const int kMemorySize = SIM_MAX_BLOCKS * SIM_BLOCK_SIZE;
const ParamType kAllTypes[] = {ParamType::none, ParamType::int8,  ParamType::int16, ParamType::int32,
                               ParamType::time, ParamType::swver, ParamType::empty};
const EditMode kAllModes[] = {EditMode::DisplayOnly, EditMode::Changeable, EditMode::Default};

enum class Typed { nothing, number, refused };

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string trimmed(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// One whole decimal number with blanks around it, or for a time the shown form of a date.
Typed read_typed(const std::string& text, ParamType type, int32_t* value)
{
    std::string core = trimmed(text);
    if (core.empty()) return Typed::nothing;
    int64_t seconds = 0;
    if (type == ParamType::time && reference_utc_seconds(core, &seconds)) {
        if (seconds < INT32_MIN || seconds > INT32_MAX) return Typed::refused;
        *value = static_cast<int32_t>(seconds);
        return Typed::number;
    }
    const char* start = core.c_str();
    char* stop = nullptr;
    errno = 0;
    bool signedDigits =
        (core[0] == '+' || core[0] == '-') ? core.size() > 1 && isdigit(core[1] & 0xFF) : isdigit(core[0] & 0xFF) != 0;
    long long n = strtoll(start, &stop, 10);
    if (!signedDigits || *stop != '\0' || errno == ERANGE || n < INT32_MIN || n > INT32_MAX) return Typed::refused;
    *value = static_cast<int32_t>(n);
    return Typed::number;
}

bool fits(ParamType type, int32_t v)
{
    if (type == ParamType::int8) return v >= -128 && v <= 127;
    if (type == ParamType::int16) return v >= -32768 && v <= 32767;
    return true;
}

std::vector<uint8_t> tag_memory()
{
    std::vector<uint8_t> bytes(kMemorySize);
    sim_read_memory(0, bytes.data(), kMemorySize);
    return bytes;
}

void write_once(ParamType type, EditMode mode, int32_t address, int32_t defaultValue, const std::string& text)
{
    sim_reset();
    for (int b = 0; b < SIM_MAX_BLOCKS; ++b) sim_set_block(b, 0x9E3779B9u * static_cast<uint32_t>(b + 1));
    fake_surface_reset();
    clear_table();
    ParamEntry& e = ParamTable[0];
    e.type = type;
    e.mode = mode;
    e.address = address;
    e.defaultValue = defaultValue;
    e.minValue = INT32_MIN, e.maxValue = INT32_MAX;  // no Min= or Max=: the type's range decides
    entryCount = 1;
    currentPage = 0;
    set_field_text(IDC_VALUE_BOX, text.c_str());
    std::vector<uint8_t> before = tag_memory();

    write_param(0);

    int32_t value = defaultValue;
    Typed typed = mode == EditMode::Default ? Typed::number : read_typed(text, type, &value);
    int width = reference_width(type);
    bool supported = width != 0 && type != ParamType::swver;
    std::vector<uint8_t> after = tag_memory();
    const char* box = fake_text(IDC_VALUE_BOX);
    bool sent = sim_log_count() != 0;
    int t = static_cast<int>(type), m = static_cast<int>(mode);

    if (typed == Typed::nothing || (mode == EditMode::DisplayOnly && supported)) {
        FUZZ_CHECK(!sent && text == box && first_red_box() == NO_FIELD, "type %d mode %d: \"%s\" did something", t, m,
                   text.c_str());
        return;
    }
    if (!supported) {
        FUZZ_CHECK(!sent && !strcmp(box, "Unknown Type") && first_red_box() == NO_FIELD, "type %d: box \"%s\"", t, box);
        return;
    }
    if (typed == Typed::refused || !fits(type, value)) {
        // A value the tool cannot take whole, or the type cannot hold, is refused visibly.
        FUZZ_CHECK(!sent, "type %d mode %d: \"%s\" reached the tag", t, m, text.c_str());
        FUZZ_CHECK(text == box, "type %d mode %d: box changed to \"%s\"", t, m, box);
        FUZZ_CHECK(first_red_box() == IDC_VALUE_BOX && fakeWindow.focus == IDC_VALUE_BOX, "type %d: \"%s\" not marked",
                   t, text.c_str());
        return;
    }
    uint32_t bits = static_cast<uint32_t>(value) & (width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1);
    std::vector<uint8_t> image = reference_image(bits, width);
    std::vector<uint8_t> expected = before;
    std::copy(image.begin(), image.end(), expected.begin() + address);
    FUZZ_CHECK(after == expected, "type %d mode %d: \"%s\" left the wrong bytes", t, m, text.c_str());
    FUZZ_CHECK(first_red_box() == NO_FIELD && fakeWindow.focus == IDC_VALUE_BOX, "type %d: mark after a good write", t);
    // Read back and shown as stored.
    std::string shown = reference_decode(type, image.data());
    FUZZ_CHECK(shown == box, "type %d mode %d: box \"%s\", expected \"%s\"", t, m, box, shown.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_use_utc();
    return 0;
}

// Input: the address (two bytes, kept to where an image of 6 bytes fits), the default value
// (four bytes), then the typed text. The box holds at most 63 characters and ends at a NUL.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size < 6) return 0;
    int32_t address = (data[0] << 8 | data[1]) % (kMemorySize - 5);
    int32_t defaultValue =
        static_cast<int32_t>(static_cast<uint32_t>(data[2]) << 24 | static_cast<uint32_t>(data[3]) << 16 |
                             static_cast<uint32_t>(data[4]) << 8 | data[5]);
    std::string text(reinterpret_cast<const char*>(data + 6), size - 6);
    text = text.substr(0, strnlen(text.c_str(), BOX_TEXT_SIZE - 1));
    for (ParamType type : kAllTypes)
        for (EditMode mode : kAllModes) write_once(type, mode, address, defaultValue, text);
    return 0;
}
