#pragma once

#include "platform/posix/CDriveMap.h"
#include "platform/posix/CPosixFileSystem.h"
#include "platform/posix/CSqliteRegistry.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/CurrentFolderGuard.h"

#include <gtest/gtest.h>
#include <memory>

// A sandbox drive with the real SQLite registry and POSIX file system, and a
// way to run the program's start-up from a chosen folder.
class SettingsTest : public ::testing::Test
{
protected:
    SettingsTest()
        : m_fileSystem(CDriveMap::FromEnvironment()),
          m_registry(CSqliteRegistry::FolderFromEnvironment()), m_store(m_registry)
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

    void WriteIni(const std::string& strContents)
    {
        m_sandbox.MakeFile("C:\\etc\\Scrubix.INI", strContents);
    }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem;
    CSqliteRegistry m_registry;
    CSettingsStore m_store;
};
