// What the user sees of the dialog on the fake surface, as a value that a test can predict and
// compare: value boxes, row buttons, caption and the marked box.
#pragma once
#include <string>

#include "model/param_table.h"

struct Screen {
    std::string box[PAGE_ROWS];
    bool button[PAGE_ROWS];
    std::string caption;
    unsigned marked;  // a bit for each red box, row 0 the lowest
};

Screen screen_now();
