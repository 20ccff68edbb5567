// Bringing the page on display up to date with the tag.
#pragma once

// Opens the reader, shows the tag's UID in the caption (or the no-device state) and reads every
// parameter of the current page into its value box.
void refresh_page();
