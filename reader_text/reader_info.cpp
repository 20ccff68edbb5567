// The reader library's texts about itself and the reader, and the simulator named as such.
#include "reader_text/reader_info.h"

#include <stdio.h>

namespace {

const char SIMULATOR_NOTE[] = " (the Pelox simulator, not a real reader)";

}  // namespace

void reader_info_text(const ReaderInfo& info, char* out, int size)
{
    if (size <= 0) return;
    size_t n = static_cast<size_t>(size);
    switch (info.kind) {
    case ReaderInfoKind::text: snprintf(out, n, "%s", info.text); return;
    case ReaderInfoKind::failed: snprintf(out, n, "failed (result %d)", info.result); return;
    case ReaderInfoKind::notOffered: snprintf(out, n, "not offered by this library"); return;
    }
    out[0] = '\0';
}

void reader_library_text(char* out, int size)
{
    if (size <= 0) return;
    char revision[READER_INFO_TEXT_SIZE];
    reader_info_text(reader_library_revision(), revision, sizeof revision);
    snprintf(out, static_cast<size_t>(size), "%s%s", revision, reader_simulator(nullptr, 0) ? SIMULATOR_NOTE : "");
}

bool simulator_notice(char* out, int size)
{
    if (size <= 0) return false;
    out[0] = '\0';
    if (!reader_simulator(nullptr, 0)) return false;
    char revision[READER_INFO_TEXT_SIZE];
    reader_info_text(reader_library_revision(), revision, sizeof revision);
    snprintf(out, static_cast<size_t>(size), "reader: the Pelox simulator (%s), not a real reader", revision);
    return true;
}
