// What the reader library says of itself and of the reader (its revision, the reader's firmware
// and hardware), and whether it is the Pelox simulator, as About, pelox-check --reader and
// pelox-tag show it.
#pragma once
#include "tag/reader.h"

enum { READER_INFO_TEXT_SIZE = 2 * READER_INFO_SIZE + 64 };

// The library's text as it gave it, "failed (result N)" or "not offered by this library".
void reader_info_text(const ReaderInfo& info, char* out, int size);

// The library's revision, followed for the simulator by " (the Pelox simulator, not a real
// reader)": "0.9", "Pelox simulator 1.3.0 (the Pelox simulator, not a real reader)". What names
// the library in use wherever a run on the simulator must not pass for one on a real reader.
void reader_library_text(char* out, int size);

// For the simulator, the line pelox-tag starts with: "reader: the Pelox simulator (Pelox
// simulator 1.3.0), not a real reader". False, with "", for any other library.
bool simulator_notice(char* out, int size);
