#pragma once

#include <string>

// The program's start-up state without a window: settings store opened (and
// seeded on a first start), every setting loaded, the launch mode read from
// the command line, everything written back. Returns the process exit code.
int RunStartUpOnly(int argc, char** argv);

// The option that asks the desktop program for the start-up alone.
inline constexpr const char* STARTUP_ONLY_OPTION = "--startup-only";

// The command line without the program's own name, the words joined by blanks.
std::string JoinArguments(int argc, char** argv);
