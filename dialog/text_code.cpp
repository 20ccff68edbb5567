// The code of a text in the window, chosen here so that every control and tooltip widens a text
// by one rule.
#include "dialog/text_code.h"

#include "model/config.h"
#include "model/param_table.h"
#include "model/utf8.h"
#include "res/resource.h"

TextOrigin field_text_origin(int id)
{
    bool label = id >= IDC_LABEL && id < IDC_LABEL + PAGE_ROWS;
    bool description = id >= IDC_DESCRIPTION && id < IDC_DESCRIPTION + PAGE_ROWS;
    return label || description ? TextOrigin::config : TextOrigin::program;
}

TextCode text_code(TextOrigin origin, const char* text)
{
    if (origin == TextOrigin::config) return configText == ConfigText::ansi ? TextCode::ansi : TextCode::utf8;
    return utf8_text(text) ? TextCode::utf8 : TextCode::ansi;
}
