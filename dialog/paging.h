// Laying the records of one page into the 20 rows, and moving between pages with the window's
// horizontal scroll bar.
#pragma once

// Kinds of page step: the scroll codes that move pages.
enum { STEP_BACK = 0, STEP_FORWARD = 1, STEP_TO = 5 };

// Lays out rows 0 to 19 from records first to first + 19.
void show_page(int first);

// Moves one page back or forward, or to the given page, lays it out, makes it current and
// refreshes it. Returns the new page.
int step_page(int kind, int page);

// Which scroll bar position a scroll code pages with.
enum class ScrollSource { none, position, trackPosition };
ScrollSource scroll_source(int code);
