#include "app/ProgramFiles.h"

#include "platform/posix/CDriveMap.h"
#include "platform/posix/CSqliteRegistry.h"

std::vector<std::string> ProgramFiles()
{
    const CDriveMap driveMap = CDriveMap::FromEnvironment();
    const CSqliteRegistry registry(CSqliteRegistry::FolderFromEnvironment());
    std::vector<std::string> paths;
    for (const std::string& strHost : registry.BackingFiles())
        if (const auto strWindows = driveMap.ToWindows(strHost))
            paths.push_back(*strWindows);
    return paths;
}
