// Full path of the running executable. module_path has one definition per platform; tests
// supply their own.
#pragma once

// Writes the path into buf; false when it cannot be found or does not fit.
bool module_path(char* buf, int size);
