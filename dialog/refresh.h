// Bringing the page on display up to date with the tag.
#pragma once

// Opens the reader, shows the tag's UID in the caption (or the no-device state) and reads every
// parameter of the current page into its value box. When the tag cannot be read, the value
// boxes are emptied and the row buttons disabled. Asked for by the user ("read", a page change,
// start-up, "ssec"): clears the error mark and overwrites every box.
void refresh_page();

// The same for a tick of the scan timer, except that it never touches a value box the user has
// changed since it was last set, the box with the keyboard focus, or the marked box, and keeps
// the mark.
void scan_page();
