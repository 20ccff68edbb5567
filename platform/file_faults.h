// Faults of the file layer for tests, on every platform alike: from the nth write, flush,
// truncation or move on, each of that kind fails as on a disk that is full or failing. Nothing
// arms them in the programs, where a step costs one look at a counter.
#pragma once

enum class FileStep { write, flush, truncate, move };

// From the nth step of that kind on (1: the next one) every one fails; 0 takes the fault away.
void fail_file_steps(FileStep step, int nth);
// Asked by the file layer before each step of a kind: whether this one is to fail.
bool file_step_fails(FileStep step);
