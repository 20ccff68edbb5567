// Writing one row's parameter to the tag from its row button.
#pragma once

// Writes the parameter of row (0 to 19) of the current page: the number typed into its value
// box, or its default value.
void write_param(int row);
