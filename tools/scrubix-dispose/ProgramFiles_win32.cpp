#include "ProgramFiles.h"

// The settings live in the system registry, not in files of the program.
std::vector<std::string> ProgramFiles()
{
    return {};
}
