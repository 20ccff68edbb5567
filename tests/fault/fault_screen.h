// What the user sees of the dialog, as a value that a test can predict and compare.
#pragma once
#include <string>

#include "model/param_table.h"

struct Screen {
    std::string box[PAGE_ROWS];
    bool button[PAGE_ROWS];
    std::string caption;
    int marked;  // errorField
};

Screen screen_now();
// Non-fatal expectations, one per difference, tagged with `where`.
void expect_screen(const Screen& expected, const std::string& where);
