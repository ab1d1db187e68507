#include "platform/ProgramFiles.h"

// The settings live in the system registry, not in files of the program.
SProgramFiles ListProgramFiles()
{
    return {};
}
