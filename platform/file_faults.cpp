// The file layer's fault counters: one per kind of step, 0 while no fault is armed.
#include "platform/file_faults.h"

namespace {

int countdown[4];

int& counter(FileStep step)
{
    return countdown[static_cast<int>(step)];
}

}  // namespace

void fail_file_steps(FileStep step, int nth)
{
    counter(step) = nth > 0 ? nth : 0;
}

bool file_step_fails(FileStep step)
{
    int& left = counter(step);
    if (left <= 1) return left == 1;  // none armed, or this one and every later one fail
    --left;
    return false;
}
