#ifndef Commands_h
#define Commands_h
// The subcommands of kelmesh. Each takes the arguments that follow its name and returns the
// process exit status (see KelExitStatus).

int KelRunInfo(int iArgc, char** iArgv);
int KelRunConvert(int iArgc, char** iArgv);
int KelRunDemo(int iArgc, char** iArgv);
int KelRunValidate(int iArgc, char** iArgv);
int KelRunCut(int iArgc, char** iArgv);
int KelRunSmooth(int iArgc, char** iArgv);
int KelRunHoles(int iArgc, char** iArgv);
int KelRunDecimate(int iArgc, char** iArgv);

#endif
