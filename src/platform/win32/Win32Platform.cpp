#include "platform/CReadOnlyRegistry.h"
#include "platform/Platform.h"
#include "platform/win32/CWin32Autostart.h"
#include "platform/win32/CWin32Clock.h"
#include "platform/win32/CWin32DriveMap.h"
#include "platform/win32/CWin32FileSystem.h"
#include "platform/win32/CWin32Registry.h"
#include "platform/win32/CWin32Shell.h"
#include "platform/win32/CWin32UrlCache.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

SPlatform CreatePlatform(ERegistryAccess registryAccess)
{
    const CWin32DriveMap driveMap = CWin32DriveMap::FromEnvironment();
    SPlatform platform;
    platform.pFileSystem = std::make_unique<CWin32FileSystem>(driveMap);
    platform.pRegistry = std::make_unique<CWin32Registry>(CWin32Registry::RootFromEnvironment());
    if (registryAccess == ERegistryAccess::ReadOnly)
        platform.pRegistry = std::make_unique<CReadOnlyRegistry>(std::move(platform.pRegistry));
    platform.pShell = std::make_unique<CWin32Shell>(driveMap);
    platform.pUrlCache = std::make_unique<CWin32UrlCache>();
    platform.pClock = std::make_unique<CWin32Clock>();
    platform.pAutostart = std::make_unique<CWin32Autostart>();
    return platform;
}

void SetStandardOutputBinary()
{
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}
