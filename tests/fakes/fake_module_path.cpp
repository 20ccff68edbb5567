// Executable path chosen by the test.
#include "fakes/fake_module_path.h"

#include <stdio.h>
#include <string.h>

#include "platform/module_path.h"

namespace {
char fakePath[2048];
bool fakeKnown = false;
}  // namespace

void fake_module_path_set(const char* path)
{
    fakeKnown = path != nullptr;
    if (fakeKnown) snprintf(fakePath, sizeof fakePath, "%s", path);
}

bool module_path(char* buf, int size)
{
    if (!fakeKnown || size <= 0 || strlen(fakePath) >= static_cast<size_t>(size)) return false;
    memcpy(buf, fakePath, strlen(fakePath) + 1);
    return true;
}
