// The executable path that load_config sees in tests.
#pragma once

// Sets the path returned as the executable's; nullptr makes the lookup fail.
void fake_module_path_set(const char* path);
