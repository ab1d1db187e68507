#pragma once

#include "platform/IAutostart.h"
#include "platform/IClock.h"
#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"
#include "platform/IShell.h"
#include "platform/IUrlCache.h"

#include <memory>

// The OS services of one backend, chosen by the build (posix/ or win32/).
struct SPlatform
{
    std::unique_ptr<IFileSystem> pFileSystem;
    std::unique_ptr<IRegistry> pRegistry;
    std::unique_ptr<IShell> pShell;
    std::unique_ptr<IUrlCache> pUrlCache;
    std::unique_ptr<IClock> pClock;
    std::unique_ptr<IAutostart> pAutostart;
};

// Builds the backend's services from the environment (drive map, registry
// folder). Never fails: a service that cannot start serves nothing. With
// ERegistryAccess::ReadOnly the registry only reads (a tool that must leave
// the settings as it found them).
SPlatform CreatePlatform(ERegistryAccess registryAccess = ERegistryAccess::ReadWrite);

// Standard output takes the bytes as written: no line-end translation, so a
// file format's own line ends (CRLF in CSV) reach a pipe unchanged.
void SetStandardOutputBinary();
