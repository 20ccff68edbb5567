// The error mark of a value box and the colour answer that makes a marked box red.
#include "dialog/surface.h"

int errorField = NO_FIELD;
int paintedField = NO_FIELD;

void mark_field(int id, bool on)
{
    errorField = on ? id : NO_FIELD;
    focus_control(id);
}

BoxColour colour_query(int id)
{
    if (id == errorField) {
        paintedField = id;
        return BoxColour::error;
    }
    // The box that was red draws once more under our control, back in its ordinary look.
    if (id == paintedField && errorField == NO_FIELD) {
        paintedField = NO_FIELD;
        return BoxColour::ordinary;
    }
    return BoxColour::system;
}
