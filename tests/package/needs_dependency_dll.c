/* A CR95HF.dll that cannot be loaded without pelox-dependency.dll: where the tool lets Windows
   look for that dependency is what the package check puts to the test. */
__declspec(dllimport) int pelox_dependency(void);

int __stdcall ReaderConnect(void) { return pelox_dependency(); }
int __stdcall ReaderCheck(void) { return pelox_dependency(); }
int __stdcall ReaderSelect(char* command, char* answer) { (void)command; answer[0] = '\0'; return pelox_dependency(); }
int __stdcall ReaderSendReceive(char* command, char* answer) { (void)command; answer[0] = '\0'; return pelox_dependency(); }
