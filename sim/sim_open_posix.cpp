// The simulator's files where paths are bytes: the UTF-8 path as it is.
#include "sim/sim_open.h"

FILE* sim_open(const char* path, const char* mode)
{
    return std::fopen(path, mode);
}
