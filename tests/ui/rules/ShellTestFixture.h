#pragma once

#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"

#include <gtest/gtest.h>

// A sandbox drive with the platform's real file system and registry, the
// store opened on the program's base key.
class ShellTest : public ::testing::Test
{
protected:
    ShellTest()
        : m_platform(CreatePlatform()), m_fileSystem(*m_platform.pFileSystem),
          m_store(*m_platform.pRegistry)
    {
        OpenSettingsStore(m_store, m_fileSystem);
    }

    CSandboxDrive m_sandbox; // first: the platform reads its environment
    SPlatform m_platform;
    IFileSystem& m_fileSystem;
    CSettingsStore m_store;
};
