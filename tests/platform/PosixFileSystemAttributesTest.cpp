// Attribute changes go through one identity-checked open of the file.
#include "platform/posix/CPosixFileSystem.h"
#include "support/CSandboxDrive.h"

#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

class PosixFileSystemAttributesTest : public ::testing::Test
{
protected:
    fs::perms Mode(const fs::path& path) const
    {
        return fs::symlink_status(path).permissions() & fs::perms::mask;
    }
    SFileIdentity IdentityOf(const std::string& strPath)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        SFileIdentity identity;
        EXPECT_TRUE(m_fileSystem.OpenForSize(strPath, nHigh, nLow, identity));
        return identity;
    }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

TEST_F(PosixFileSystemAttributesTest, ChangeIsRefusedForAFileThatIsNoLongerTheOneIdentified)
{
    m_sandbox.MakeFile("C:\\f.tmp", "reviewed");
    fs::permissions(m_sandbox.HostPath("C:\\f.tmp"), fs::perms(0444));
    const SFileIdentity reviewed = IdentityOf("C:\\f.tmp");
    fs::rename(m_sandbox.HostPath("C:\\f.tmp"), m_sandbox.HostPath("C:\\f.held"));
    m_sandbox.MakeFile("C:\\f.tmp", "impostor");
    fs::permissions(m_sandbox.HostPath("C:\\f.tmp"), fs::perms(0444));

    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\f.tmp", 0, reviewed));
    EXPECT_EQ(fs::perms(0444), Mode(m_sandbox.HostPath("C:\\f.tmp")));
    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\missing.tmp", 0, reviewed));

    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\f.held", 0, reviewed));
    EXPECT_EQ(fs::perms(0644), Mode(m_sandbox.HostPath("C:\\f.held")));
}

TEST_F(PosixFileSystemAttributesTest, FileWithAnotherNameKeepsItsReadOnlyAttribute)
{
    const fs::path outside = m_sandbox.Outside() / "shared.txt";
    std::ofstream(outside) << "shared";
    fs::permissions(outside, fs::perms(0444));
    fs::create_hard_link(outside, m_sandbox.HostPath("C:\\link.tmp"));
    const SFileIdentity identity = IdentityOf("C:\\link.tmp");

    // Clearing is refused with or without an identity to check.
    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\link.tmp", 0, identity));
    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\link.tmp", FILE_ATTR_ARCHIVE));
    EXPECT_EQ(fs::perms(0444), Mode(outside));

    // Making it read-only is always allowed, and a no-change succeeds.
    fs::permissions(outside, fs::perms(0644));
    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\link.tmp", 0, identity));
    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\link.tmp", FILE_ATTR_READONLY, identity));
    EXPECT_EQ(fs::perms(0444), Mode(outside));

    // Once the other name is gone the file is the drive's alone.
    fs::remove(outside);
    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\link.tmp", 0, identity));
    EXPECT_EQ(fs::perms(0644), Mode(m_sandbox.HostPath("C:\\link.tmp")));
}

TEST_F(PosixFileSystemAttributesTest, FoldersChangeWhateverTheirLinkCount)
{
    m_sandbox.Build({"C:\\dir\\sub\\"});
    const fs::path folder = m_sandbox.HostPath("C:\\dir");
    fs::permissions(folder, fs::perms(0555));
    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\dir", FILE_ATTR_DIRECTORY));
    EXPECT_EQ(fs::perms(0755), Mode(folder));
}
