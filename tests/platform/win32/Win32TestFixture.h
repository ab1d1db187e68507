#pragma once

#include "platform/Platform.h"
#include "support/CSandboxDrive.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

// A sandbox drive C: and the Win32 backend built from its environment, as
// the program builds it.
class Win32Test : public ::testing::Test
{
protected:
    Win32Test() : m_platform(CreatePlatform()) {}

    IFileSystem& FileSystem() { return *m_platform.pFileSystem; }
    IRegistry& Registry() { return *m_platform.pRegistry; }

    // name -> entry, for every entry of a folder's listing.
    std::map<std::string, SFindEntry> List(const std::string& strFolder)
    {
        std::map<std::string, SFindEntry> entries;
        auto pListing = FileSystem().OpenListing(strFolder);
        EXPECT_NE(pListing, nullptr) << strFolder;
        SFindEntry entry;
        while (pListing && pListing->Next(entry))
            entries[entry.strName] = entry;
        return entries;
    }

    SFileIdentity IdentityOf(const std::string& strPath)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        SFileIdentity identity;
        EXPECT_TRUE(FileSystem().OpenForSize(strPath, nHigh, nLow, identity)) << strPath;
        return identity;
    }

    CSandboxDrive m_sandbox; // first: the platform reads its environment
    SPlatform m_platform;
};
