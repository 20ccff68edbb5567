// A write cut off between its block writes: the half-written image must fail its CRC, so that
// the next refresh shows "Not set" rather than a wrong number that looks valid, and writing
// again repairs it.
#include <gtest/gtest.h>

#include <ostream>

#include "dialog/marking.h"
#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "support/program_fixture.h"
#include "support/time_zone.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Cut {
    ParamType type;
    int32_t address;
    const char* oldImage;
    const char* typed;
    int answered;      // requests answered before the tag leaves: password, reads, some writes
    const char* left;  // the parameter's bytes afterwards
    const char* newText;
};

// How a case shows in test names and messages.
void PrintTo(const Cut& c, std::ostream* out)
{
    *out << c.oldImage << " -> " << c.typed << ", cut after " << c.answered << " requests";
}

Bytes bytes_of(const char* hex)
{
    Bytes out;
    unsigned value = 0;
    int n = 0;
    while (sscanf(hex, "%2x%n", &value, &n) == 1) {
        out.push_back(static_cast<uint8_t>(value));
        hex += n;
    }
    return out;
}

class CutWrite : public ProgramTest, public ::testing::WithParamInterface<Cut> {};

TEST_P(CutWrite, LeavesAnImageThatReadsNotSet)
{
    const Cut& c = GetParam();
    set_time_zone("UTC0");
    add_param("p", c.type, c.address, EditMode::Changeable);
    put_memory(c.address, bytes_of(c.oldImage));
    Bytes before = whole_memory();
    int size = static_cast<int>(bytes_of(c.oldImage).size());

    set_field_text(IDC_VALUE_BOX, c.typed);
    sim_leave_field_after(c.answered);
    write_param(0);
    EXPECT_EQ(first_red_box(), IDC_VALUE_BOX);
    EXPECT_EQ(hex_bytes(memory(c.address, size)), c.left);
    // Nothing beside the parameter changed.
    Bytes after = whole_memory();
    std::copy(before.begin() + c.address, before.begin() + c.address + size, after.begin() + c.address);
    EXPECT_EQ(after, before);

    sim_enter_field();
    refresh_page();
    EXPECT_STREQ(fake_text(IDC_VALUE_BOX), "Not set");
    EXPECT_TRUE(fake_control(IDC_ROW_BUTTON).enabled);  // so that it can be written again

    set_field_text(IDC_VALUE_BOX, c.typed);
    write_param(0);
    EXPECT_EQ(first_red_box(), NO_FIELD);
    refresh_page();
    EXPECT_STREQ(fake_text(IDC_VALUE_BOX), c.newText);
}

// Old and new images: int8 5 and -7, int16 300 and -12345, int32 1000 and 123456789, time 86400
// and 1700000000.
const Cut kCuts[] = {
    {ParamType::int8, 43, "05 B1 55", "-7", 4, "F9 B1 55", "-7"},
    {ParamType::int16, 42, "01 2C 4E A5", "-12345", 4, "CF C7 4E A5", "-12345"},
    {ParamType::int32, 41, "00 00 03 E8 DC B9", "123456789", 4, "07 5B CD E8 DC B9", "123456789"},
    {ParamType::int32, 43, "00 00 03 E8 DC B9", "123456789", 5, "07 00 03 E8 DC B9", "123456789"},
    {ParamType::int32, 43, "00 00 03 E8 DC B9", "123456789", 6, "07 5B CD 15 E5 B9", "123456789"},
    {ParamType::time, 40, "00 01 51 80 03 37", "1700000000", 4, "65 53 F1 00 03 37", "2023-11-14 22:13:20"},
};

std::string cut_name(const ::testing::TestParamInfo<Cut>& info)
{
    static const char* const kTypes[] = {"none", "int8", "int16", "int32", "time"};
    const Cut& c = info.param;
    return std::string(kTypes[static_cast<int>(c.type)]) + "At" + std::to_string(c.address) + "After" +
           std::to_string(c.answered) + "Requests";
}

INSTANTIATE_TEST_SUITE_P(Writes, CutWrite, ::testing::ValuesIn(kCuts), cut_name);

}  // namespace
