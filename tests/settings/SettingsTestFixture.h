#pragma once

#include "platform/Platform.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/CurrentFolderGuard.h"

#include <gtest/gtest.h>
#include <memory>

// A sandbox drive with the platform's real registry and file system, and a
// way to run the program's start-up from a chosen folder.
class SettingsTest : public ::testing::Test
{
protected:
    SettingsTest()
        : m_platform(CreatePlatform()), m_fileSystem(*m_platform.pFileSystem),
          m_registry(*m_platform.pRegistry), m_store(m_registry)
    {
    }

    // One start of the program from strFolder (a Windows-form folder that
    // exists in the sandbox): opens the store and loads every setting.
    std::unique_ptr<CScrubixDoc> StartFrom(const std::string& strFolder)
    {
        m_sandbox.MakeFolder(strFolder);
        CCurrentFolderGuard folder(m_sandbox.HostPath(strFolder));
        OpenSettingsStore(m_store, m_fileSystem);
        auto pDoc = std::make_unique<CScrubixDoc>(m_store, m_fileSystem);
        pDoc->LoadSettings();
        return pDoc;
    }

    std::string Stored(const std::string& strSection, const std::string& strName)
    {
        return m_store.GetString(strSection, strName, "<absent>");
    }

    // The seed file goes where the backend says the Windows folder is, seen
    // through the sandbox's drive map.
    void WriteIni(const std::string& strContents)
    {
        m_sandbox.MakeFile(m_fileSystem.GetWindowsFolder() + "\\Scrubix.INI", strContents);
    }

    CSandboxDrive m_sandbox; // first: the platform reads its environment
    SPlatform m_platform;
    IFileSystem& m_fileSystem;
    IRegistry& m_registry;
    CSettingsStore m_store;
};
