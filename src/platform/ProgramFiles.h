#pragma once

#include "platform/FileTypes.h"

#include <string>
#include <vector>

// The program's own files, which no disposal may touch: the settings
// databases with every side file of theirs (journals, copies put aside).
struct SProgramFiles
{
    // Windows-form path prefixes: a path that starts with one of them,
    // compared case-insensitively, names one of the program's files. There is
    // one for every drive through which a database can be named.
    std::vector<std::string> pathPrefixes;
    // The files as they exist now: another name of one of them (a hard link)
    // is one of them too, whatever it is called and wherever it lies.
    std::vector<SFileIdentity> identities;
};

// Lists the program's files from the same environment as CreatePlatform
// (drive table, registry folder). The folder is resolved as the system
// resolves it when the databases are opened: a relative name against the
// current folder, symbolic links followed, and the drive roots likewise, so
// the list holds however either is named. Call it on the thread that starts
// the disposal, right before it starts: identities are those of the files as
// they are at the call. Empty where the settings live in the system registry.
SProgramFiles ListProgramFiles();
