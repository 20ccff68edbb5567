// The error mark and the colour answers that paint a marked box red and then normal again.
#include <gtest/gtest.h>

#include "dialog/surface.h"
#include "support/program_fixture.h"

namespace {

class Marking : public ProgramTest {};

TEST_F(Marking, MarkMovesFocusAndOnlyTheMarkedBoxIsRed)
{
    mark_field(1103, true);
    EXPECT_EQ(fakeWindow.focus, 1103);
    EXPECT_EQ(colour_query(1103), BoxColour::error);
    EXPECT_EQ(colour_query(1104), BoxColour::system);

    mark_field(1105, true);
    EXPECT_EQ(fakeWindow.focus, 1105);
    // 1103 was painted red but another box holds the mark: it is left to the system colours.
    EXPECT_EQ(colour_query(1103), BoxColour::system);
    EXPECT_EQ(colour_query(1105), BoxColour::error);
    EXPECT_EQ(paintedField, 1105);

    mark_field(1105, false);
    EXPECT_EQ(errorField, NO_FIELD);
    EXPECT_EQ(fakeWindow.focus, 1105);
    EXPECT_EQ(colour_query(1103), BoxColour::system);
    EXPECT_EQ(colour_query(1105), BoxColour::ordinary);
    EXPECT_EQ(colour_query(1105), BoxColour::system);
}

TEST_F(Marking, UnmarkingAnotherBoxClearsTheMark)
{
    mark_field(1100, true);
    mark_field(1101, false);
    EXPECT_EQ(errorField, NO_FIELD);
    EXPECT_EQ(colour_query(1100), BoxColour::system);  // never painted, so nothing to undo
}

}  // namespace
