// Laying the records of one page into the 20 rows, and moving between pages with the window's
// horizontal scroll bar.
#pragma once

// Page steps: one page back, one forward, or to a given page (where the scroll bar's thumb was
// dragged). The Windows program maps the scroll bar's codes onto them.
enum PageStep { STEP_BACK, STEP_FORWARD, STEP_TO };

// Lays out rows 0 to 19 from records first to first + 19.
void show_page(int first);

// Moves one page back or forward, or to the given page, lays it out, makes it current and
// refreshes it. Returns the new page.
int step_page(PageStep kind, int page);
