// Writing from the row buttons: each writable type lands in the tag with its CRC beside
// untouched neighbours; bad values and refused writes mark the box and leave the tag alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_tag.h"
#include "support/reference_image.h"
#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

const std::string kRows = "Name=\"A\" Description=\"int8 typed\" Address=0 Type=int8 Changeable\r\n"
                          "Name=\"B\" Description=\"int16 typed\" Address=6 Type=int16 Changeable\r\n"
                          "Name=\"C\" Description=\"int32 fixed\" Address=12 Type=int32 Default=1000\r\n"
                          "Name=\"D\" Description=\"time typed\" Address=20 Type=time Changeable\r\n"
                          "Name=\"E\" Description=\"int8 fixed\" Address=30 Type=int8 Default=5\r\n"
                          "Name=\"F\" Description=\"too big\" Address=40 Type=int16 Default=40000\r\n"
                          "Name=\"G\" Description=\"int32 typed\" Address=44 Type=int32 Changeable\r\n"
                          "Name=\"H\" Description=\"0 to 120\" Address=50 Type=int16 Changeable Min=0 Max=120\r\n"
                          "Name=\"I\" Description=\"above Max\" Address=54 Type=int16 Default=3300 Max=120\r\n";

// Every byte distinct and not erased, so that a neighbour overwritten shows.
std::vector<uint8_t> pattern()
{
    std::vector<uint8_t> bytes(64);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0x80 + i);
    return bytes;
}

void store_pattern()
{
    std::vector<uint8_t> bytes = pattern();
    sim_write_memory(0, bytes.data(), static_cast<int>(bytes.size()));
}

std::string pattern_bytes(int address, int count)
{
    std::vector<uint8_t> bytes = pattern();
    return hex_bytes(std::vector<uint8_t>(bytes.begin() + address, bytes.begin() + address + count));
}

class Write : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.write_ini(ini_header(0, 1) + kRows);
        s.set_up_tag(store_pattern);
        ASSERT_TRUE(s.start());
    }

    PeloxSession s;
};

TEST_F(Write, EachWritableTypeLandsWithItsCrcBesideUntouchedBytes)
{
    s.type(1100, "127");
    s.click(1200);
    s.type(1101, " -5");
    s.click(1201);
    s.click(1202);
    s.type(1103, "0");
    s.click(1203);
    s.click(1204);
    s.type(1106, "-2147483648 ");
    s.click(1206);

    // Each row is read back and shows what the tag now holds.
    EXPECT_EQ("127", s.text(1100));
    EXPECT_EQ("-5", s.text(1101));
    EXPECT_EQ("1000", s.text(1102));
    EXPECT_EQ(local_time_text(0), s.text(1103));
    EXPECT_EQ("5", s.text(1104));
    EXPECT_EQ("-2147483648", s.text(1106));
    EXPECT_EQ(1106, s.focused_id());
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(127, 1)) + " " + pattern_bytes(3, 3), tag_bytes(0, 6));
    EXPECT_EQ(hex_bytes(reference_image(0xFFFB, 2)) + " " + pattern_bytes(10, 2), tag_bytes(6, 6));
    EXPECT_EQ("00 00 03 E8 DC B9", tag_bytes(12, 6));
    EXPECT_EQ(hex_bytes(reference_image(0, 4)), tag_bytes(20, 6));
    EXPECT_EQ(pattern_bytes(28, 2) + " 05 B1 55 " + pattern_bytes(33, 3), tag_bytes(28, 8));
    EXPECT_EQ(hex_bytes(reference_image(0x80000000u, 4)), tag_bytes(44, 6));
    EXPECT_EQ(pattern_bytes(4, 2), tag_bytes(4, 2));
    EXPECT_EQ(pattern_bytes(40, 4), tag_bytes(40, 4));  // F was never written
}

TEST_F(Write, OutOfRangeMarksAndFocusesTheBoxAndSendsNothing)
{
    s.type(1100, "128");
    s.click(1200);
    EXPECT_EQ(1100, s.focused_id());
    EXPECT_TRUE(box_turns(s.control(1100), RGB(255, 0, 0)));

    s.type(1101, "-32769");
    s.click(1201);
    EXPECT_EQ(1101, s.focused_id());

    // A default outside its type's range: the read-only box only gets the focus.
    s.click(1205);
    EXPECT_EQ(1105, s.focused_id());
    // Pelox.ini's own range, the 32-bit range named, the tool's "Not set" taken for no value, and a
    // letter the ANSI code page lacks quoted as typed.
    auto refused = [this](int row, const char* typed, const std::string& tip) {
        if (typed != nullptr) s.type(1100 + row, typed);
        s.click(1200 + row);
        EXPECT_EQ(tip, s.tip(1100 + row));
    };
    refused(7, "150", "150 is outside this parameter's range in Pelox.ini: 0 to 120.");
    refused(8, nullptr, "3300 is outside this parameter's range in Pelox.ini: -32768 to 120.");
    refused(6, "3000000000", "3000000000 is outside the range of a 32-bit number: -2147483648 to 2147483647.");
    refused(3, nullptr, "Type a value first: \"Not set\" is what the tool shows, not a value to write.");
    refused(6, "12\xD0\x96",
            "\"12\xD0\x96\" is not a whole number: type digits only, a minus sign first for a negative value.");
    // Each box keeps its mark and its own reason; the editable ones are red at once.
    for (int id : {1100, 1101}) EXPECT_TRUE(box_turns(s.control(id), RGB(255, 0, 0))) << id;
    EXPECT_EQ("128 is outside the range of int8: -128 to 127.", s.tip(1100));
    EXPECT_EQ("-32769 is outside the range of int16: -32768 to 32767.", s.tip(1101));
    EXPECT_EQ("40000 is outside the range of int16: -32768 to 32767.", s.tip(1105));
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(pattern_bytes(0, 58), tag_bytes(0, 58));
}

TEST_F(Write, RefusedWriteIsRedWithItsReasonUntilTheNextGoodOneWhichIsGreenUntilRead)
{
    HWND box = s.control(1100);
    ASSERT_TRUE(box_turns(box, GetSysColor(COLOR_WINDOW)));
    s.set_up_tag([] {
        store_pattern();
        sim_flag_answer(SIM_WRITE_BLOCK, 1, SIM_ERR_WRITE_FAILED);
    });
    s.click(1005);  // the DLL takes up its state file when the reader is opened
    s.type(1100, "12");
    s.click(1200);
    EXPECT_EQ(1100, s.focused_id());
    EXPECT_TRUE(box_turns(box, RGB(255, 0, 0)));
    EXPECT_EQ("The tag refused block 0: the value was not written there (a protected sector?).", s.tip(1100));

    s.click(1200);
    EXPECT_TRUE(box_turns(box, RGB(200, 240, 200)));  // written and read back as written
    EXPECT_EQ("", s.tip(1100));
    s.click(1204);  // "def." too, in a read-only box
    EXPECT_TRUE(box_turns(s.control(1104), RGB(200, 240, 200)));
    s.click(1005);
    EXPECT_TRUE(box_turns(box, GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(box_turns(s.control(1104), GetSysColor(COLOR_3DFACE)));
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(12, 1)) + " " + pattern_bytes(3, 1), tag_bytes(0, 4));
}

// Read up to their first odd character, these texts used to write 0, 1, 12, 1 and a number
// nobody typed; now the box is marked and nothing is sent.
TEST_F(Write, TextThatIsNotOneWholeNumberIsMarkedAndNothingIsSent)
{
    const std::string refused[] = {"0x7F", "1.9e2", " 12abc", "1,500", "-2147483648 volts", std::string(70, '0') + "7"};
    for (const std::string& text : refused) {
        s.type(1106, text);
        s.click(1206);
        EXPECT_EQ(1106, s.focused_id()) << text;
        EXPECT_EQ(text, s.text(1106));
    }
    EXPECT_TRUE(box_turns(s.control(1106), RGB(255, 0, 0)));
    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(pattern_bytes(44, 6), tag_bytes(44, 6));

    s.type(1106, " +0012 ");
    s.click(1206);
    EXPECT_EQ("12", s.text(1106));
    EXPECT_TRUE(box_turns(s.control(1106), RGB(200, 240, 200)));
    ASSERT_EQ(0, s.close());
    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(12, 4)), tag_bytes(44, 6));
}

// A time row takes the date as it shows it; pressed untouched it keeps the stored value, and a
// date that does not exist is marked instead of being read as the seconds up to its first "-".
TEST_F(Write, TimeRowsTakeTheShownDate)
{
    s.set_up_tag([] {
        store_pattern();
        store_value(20, 1700000000, 4);
    });
    s.click(1005);
    ASSERT_EQ(local_time_text(1700000000), s.text(1103));
    EXPECT_EQ(local_time_text(1700000000), s.tip(1103));  // wider than its box: whole in the tip
    s.click(1203);
    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(1700000000, 4)), tag_bytes(20, 6));

    for (const char* text : {"2024-02-30 12:00:00", "2024-01-01 25:00:00", "2023-11-14"}) {
        s.type(1103, text);
        s.click(1203);
        EXPECT_EQ(1103, s.focused_id()) << text;
    }
    EXPECT_TRUE(box_turns(s.control(1103), RGB(255, 0, 0)));
    EXPECT_EQ("\"2023-11-14\" is not a date in the shown form YYYY-MM-DD HH:MM:SS, nor a number of seconds.",
              s.tip(1103));
    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(1700000000, 4)), tag_bytes(20, 6));

    s.type(1103, local_time_text(1700000061));
    s.click(1203);
    EXPECT_EQ(local_time_text(1700000061), s.text(1103));
    s.type(1103, "86400");
    s.click(1203);
    EXPECT_EQ(local_time_text(86400), s.text(1103));  // seconds are read back as a date
    ASSERT_EQ(0, s.close());
    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(hex_bytes(reference_image(86400, 4)), tag_bytes(20, 6));
}

// While scanning, a box being typed into and a marked box keep their text and the mark; the
// other rows follow the tag. "read" takes everything from the tag again.
TEST(Scan, NeverOverwritesTypingOrAMark)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1, 300) + kRows);
    s.set_up_tag(store_pattern);
    ASSERT_TRUE(s.start());
    s.type(1100, "12");  // typed, not yet written
    s.type(1101, "40000");
    s.click(1201);  // out of range: marked, focused
    s.set_up_tag([] {
        store_pattern();
        store_value(44, 77, 4);
    });
    ASSERT_TRUE(s.wait_for_text(1106, "77"));  // a scan has run
    Sleep(700);                                // and two more
    EXPECT_EQ("12", s.text(1100));
    EXPECT_EQ("40000", s.text(1101));
    EXPECT_TRUE(box_turns(s.control(1101), RGB(255, 0, 0)));

    s.click(1005);
    EXPECT_EQ("Not set", s.text(1100));
    EXPECT_EQ("Not set", s.text(1101));
    EXPECT_TRUE(box_turns(s.control(1101), GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(0, s.close());
}

}  // namespace
