// Comparing what the user sees of the dialog with what a fault case predicts.
#pragma once
#include <string>

#include "support/screen.h"

// Non-fatal expectations, one per difference, tagged with `where`.
void expect_screen(const Screen& expected, const std::string& where);
