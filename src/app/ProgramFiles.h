#pragma once

#include <string>
#include <vector>

// The program's own files that a disposal must never touch (the registry
// databases and their journals), as Windows-form paths; files outside every
// drive cannot be listed and are left out.
std::vector<std::string> ProgramFiles();
