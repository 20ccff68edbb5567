// The window's "About ORVELTIDE..." text: what support asks for on the phone.
#pragma once

enum { ABOUT_TEXT_SIZE = 4096 };

// The version and word size of the program, the configuration file and the reader library in
// use with their full paths, how many lines of the configuration were skipped, and the library's
// word size and revision (the simulator named as such) or why it cannot be used.
void about_text(char* out, int size);
