// The program's state for a benchmark: the benchmark's "Pelox.ini" loaded through the executable's
// path, the tag filled, page 0 laid out and read, as after start-up.
#pragma once

#include "support/temp_files.h"

class BenchProgram {
public:
    BenchProgram();
    // Folder of the fake executable, holding Pelox.ini.
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
};
