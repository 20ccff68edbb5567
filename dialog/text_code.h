// Which characters the bytes of a text in the window stand for: Pelox.ini's labels and
// descriptions as the file was written, every text of the program's own as UTF-8.
#pragma once

enum class TextCode { utf8, ansi };
enum class TextOrigin {
    config,   // a label or a description: Pelox.ini's bytes
    program,  // every other text: the tool's words, paths, what was typed, a tooltip
};

// Whose text control id shows.
TextOrigin field_text_origin(int id);
// Pelox.ini's texts follow the whole file (configText), so that one file shows in one code;
// the program's own texts are UTF-8, the ANSI code page only for bytes that are no UTF-8.
TextCode text_code(TextOrigin origin, const char* text);
