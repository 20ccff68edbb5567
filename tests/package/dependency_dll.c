/* The library that needs_dependency_dll.c's CR95HF.dll imports. */
__declspec(dllexport) int pelox_dependency(void) { return 1; }
