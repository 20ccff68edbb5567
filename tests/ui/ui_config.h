// Pelox.ini texts and tag contents that several UI tests share.
#pragma once
#include <stdint.h>

#include <time.h>

#include <string>

// "Pwd=<hex> set=<set>" and, when scanMs is not 0, "scan <ms>".
std::string ini_header(uint32_t password, int set, int scanMs = 0);
// count Changeable int8 parameters "P<n>" ("parameter <n>") at byte address 4 * n.
std::string int8_rows(int count);
// Stores value n for each parameter of int8_rows(count) in the simulated tag.
void store_int8_rows(int count);
// Stores the image of value (width 1, 2 or 4 bytes) at address in the simulated tag.
void store_value(int address, uint32_t value, int width);
// A time as the tool shows it, in this process's local time (the same zone as the program's).
std::string local_time_text(time_t seconds);
// A file copied beside the test program (examples/Pelox.ini, examples/cr95hf-sim.txt), whole.
std::string example_file(const char* name);
