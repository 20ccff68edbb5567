// Bringing the page on display up to date with the tag.
#pragma once

// Opens the reader, shows the tag's UID in the caption (or the no-device state) and reads every
// parameter of the current page into its value box. When the tag cannot be read, the value
// boxes are emptied and the row buttons disabled. Asked for by the user ("read", a page change,
// start-up, "ssec"): ends every box's mark and overwrites every box.
void refresh_page();

// The same for a tick of the scan timer, except that it never touches a value box the user has
// changed since it was last set, the box being typed in (a writable one with the keyboard
// focus), or a red box, and keeps the red marks.
void scan_page();

// The UID the caption shows, as 16 hex digits; false when the last refresh identified no tag.
bool shown_uid(char* out, int size);
