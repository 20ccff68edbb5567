// The example Pelox.ini and tag state shipped for the demo: every value image in the state
// file decodes to the value its comment names, on both pages.
#include <gtest/gtest.h>

#include <string>

#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

struct Shown {
    int row;
    const char* label;
    const char* value;
};

TEST(Example, DemoTagShowsItsValuesOnBothPages)
{
    PeloxSession s;
    s.write_ini(example_file("Pelox.ini"));
    s.write_tag_state(example_file("cr95hf-sim.txt"));
    ASSERT_TRUE(s.start());
    EXPECT_EQ("ORVELTIDE      E00208115C3A77D1   ", s.caption());
    EXPECT_TRUE(s.has_scroll_bar());
    EXPECT_TRUE(s.visible(1007));

    const Shown page0[] = {{0, "SW", "2.4.17"},     {1, "HW", "3"},          {2, "SerNo", "21034711"},
                           {4, "Hours", "1523"},    {5, "Mode", "1"},        {6, "Addr", "12"},
                           {7, "Baud", "96"},       {8, "Tmax", "850"},      {9, "Tmin", "-200"},
                           {10, "Vmin", "Not set"}, {11, "Imax", "1500"},    {12, "Fpwm", "25000"},
                           {14, "Log", "600"},      {16, "Cal", "-3"},       {17, "Gain", "1000"},
                           {18, "Alarm", "2"},      {19, "Reset", "Not set"}};
    for (const Shown& e : page0) {
        EXPECT_EQ(e.label, s.text(1300 + e.row));
        EXPECT_EQ(e.value, s.text(1100 + e.row)) << e.label;
    }
    EXPECT_FALSE(s.visible(1113));                        // the reserved gap
    EXPECT_EQ(19u, s.text(1103).size()) << s.text(1103);  // a date and time

    s.scroll(SB_LINERIGHT);
    const Shown page1[] = {{0, "Boot", "1.0.3"},  {1, "Lang", "1"},       {2, "Beep", "Not set"}, {3, "Dim", "30"},
                           {4, "Eco", "Not set"}, {5, "Serv", "Not set"}, {6, "Cust", "40711"}};
    for (const Shown& e : page1) {
        EXPECT_EQ(e.label, s.text(1300 + e.row));
        EXPECT_EQ(e.value, s.text(1100 + e.row)) << e.label;
    }
    EXPECT_FALSE(s.visible(1107));
    EXPECT_EQ(0, s.close());
}

}  // namespace
