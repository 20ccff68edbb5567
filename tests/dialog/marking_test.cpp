// The marks of the value boxes, their colour answers and the tooltip each box carries.
#include <gtest/gtest.h>

#include "dialog/marking.h"
#include "dialog/surface.h"
#include "fakes/fake_surface.h"
#include "support/program_fixture.h"

namespace {

class Marking : public ProgramTest {};

TEST_F(Marking, SeveralBoxesStayRedEachWithItsReasonUntilTheirRowIsDone)
{
    mark_refused(3, "not a whole number");
    mark_refused(5, "the tag refused block 2");
    EXPECT_EQ(fakeWindow.focus, 1105);
    EXPECT_EQ(colour_query(1103), BoxColour::error);
    EXPECT_EQ(colour_query(1105), BoxColour::error);
    EXPECT_EQ(colour_query(1104), BoxColour::system);
    EXPECT_STREQ(fake_control(1103).tip, "not a whole number");
    EXPECT_STREQ(fake_control(1105).tip, "the tag refused block 2");

    mark_verified(5);  // the row written after all: green, its reason gone
    EXPECT_EQ(colour_query(1105), BoxColour::verified);
    EXPECT_STREQ(fake_control(1105).tip, "");
    EXPECT_EQ(first_red_box(), 1103);

    unmark_all();
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_STREQ(fake_control(1103).tip, "");
    for (int id : {1103, 1105}) {  // drawn once more in the ordinary look, then left to the system
        EXPECT_EQ(colour_query(id), BoxColour::ordinary) << id;
        EXPECT_EQ(colour_query(id), BoxColour::system) << id;
    }
    // A read-only box asks as static text: its red mark shows only through the focus, never in red.
    mark_refused(3, "default outside its range");
    EXPECT_EQ(colour_query(1103, ColourQuery::readOnly), BoxColour::system);
}

TEST_F(Marking, TheStatusLineTellsWhatIsMissingBeforeAMarkAndAMarkBeforeAWideValue)
{
    show_value_tip(0, "2023-03-12 00:00:00");
    EXPECT_STREQ(fake_control(1100).tip, "2023-03-12 00:00:00");
    mark_refused(0, "no answer");
    EXPECT_STREQ(fake_control(1100).tip, "no answer");
    show_status_tip("no reader");
    EXPECT_STREQ(fake_control(1100).tip, "no reader");
    show_config_tip("no Pelox.ini");
    EXPECT_STREQ(fake_control(1100).tip, "no Pelox.ini\r\n\r\nno reader");
    // The same reasons again, as every scan tick gives them, leave a tip that is showing alone.
    int sets = fake_control(1100).tipSets;
    show_status_tip("no reader");
    show_config_tip("no Pelox.ini");
    EXPECT_EQ(fake_control(1100).tipSets, sets);
    show_status_tip("");
    show_config_tip("");
    unmark_row(0);
    EXPECT_STREQ(fake_control(1100).tip, "2023-03-12 00:00:00");
}

}  // namespace
