// Writing one row's parameter to the tag from its row button.
#pragma once

// Writes the parameter of row (0 to 19) of the current page: the value typed into its box (a
// whole decimal number; for a time also the shown date and time), or its default value. Text
// the tool cannot take whole, a box still showing the tool's own "Not set" or "No answer", a value
// outside the type's range or the parameter's Min= and Max=, and a refused write mark the box and
// send nothing more. A write is read back and shown as stored; a read-back that differs
// from what was written leaves the box marked.
void write_param(int row);
