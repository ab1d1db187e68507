#include "platform/Platform.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CEmptyUrlCache.h"
#include "platform/posix/CPosixFileSystem.h"
#include "platform/posix/CPosixShell.h"
#include "platform/posix/CSqliteRegistry.h"
#include "platform/posix/CSystemClock.h"
#include "platform/posix/CXdgAutostart.h"

SPlatform CreatePlatform(ERegistryAccess registryAccess)
{
    const CDriveMap driveMap = CDriveMap::FromEnvironment();
    SPlatform platform;
    platform.pFileSystem = std::make_unique<CPosixFileSystem>(driveMap);
    platform.pRegistry =
        std::make_unique<CSqliteRegistry>(CSqliteRegistry::FolderFromEnvironment(), registryAccess);
    platform.pShell = std::make_unique<CPosixShell>(driveMap);
    platform.pUrlCache = std::make_unique<CEmptyUrlCache>();
    platform.pClock = std::make_unique<CSystemClock>();
    platform.pAutostart = std::make_unique<CXdgAutostart>(CXdgAutostart::FolderFromEnvironment(),
                                                          CXdgAutostart::ExecutableOfThisProcess());
    return platform;
}

void SetStandardOutputBinary()
{
    // POSIX streams never translate line ends.
}
