// pelox-tag apply FILE --dry-run: what an apply would do, found by reading only.
#pragma once
#include <stdio.h>

// What apply would do on the tag in the field, read only: nothing written, no password.
int command_dry_run(const char* path, FILE* out, FILE* err);
