// Widening on Windows: the code page the portable rule chose, through the system's conversion.
#include "dialog/text_widen.h"

#include <windows.h>

int widen_text(TextOrigin origin, const char* text, wchar_t* wide, int size)
{
    UINT page = text_code(origin, text) == TextCode::utf8 ? CP_UTF8 : CP_ACP;
    int n = MultiByteToWideChar(page, 0, text, -1, wide, size);
    if (n <= 0 && size > 0) wide[0] = L'\0';
    return n - 1;
}
