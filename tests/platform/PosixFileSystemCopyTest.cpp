// The copy under a move to a folder: written under a temporary name, named
// only when complete, never replacing a file it must not, and keeping what
// the file carries besides its bytes.
#include "platform/CopyTemporaryName.h"
#include "platform/posix/CPosixFileSystem.h"
#include "platform/posix/PosixCopyTemporaries.h"
#include "support/CSandboxDrive.h"
#include "support/PosixFileMetadata.h"
#include "support/PosixKilledChild.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr uint64_t MEGABYTE = 1024 * 1024;

class PosixFileSystemCopyTest : public ::testing::Test
{
protected:
    std::vector<std::string> Names(const std::string& strFolder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_sandbox.HostPath(strFolder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void MakeBigFile(const std::string& strPath, uint64_t nSize)
    {
        m_sandbox.MakeFile(strPath, std::string(nSize, 'b'));
    }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

} // namespace

TEST_F(PosixFileSystemCopyTest, ACopyKilledMidwayLeavesNothingUnderTheRealName)
{
    m_sandbox.Build({"C:\\Bak\\"});
    MakeBigFile("C:\\big.tmp", 10 * MEGABYTE);

    for (const bool bFailIfExists : {true, false})
    {
        const int nSignal = RunKilledPastSize(
            MEGABYTE, [this, bFailIfExists]
            { m_fileSystem.CopyFileTo("C:\\big.tmp", "C:\\Bak\\big.tmp", bFailIfExists, {}); });
        ASSERT_EQ(nSignal, SIGXFSZ) << "the copy was not cut short";

        EXPECT_FALSE(m_sandbox.Exists("C:\\Bak\\big.tmp")) << bFailIfExists;
        const std::vector<std::string> left = Names("C:\\Bak");
        ASSERT_EQ(left.size(), 1u);
        EXPECT_TRUE(IsCopyTemporaryName(left[0])) << left[0];
        EXPECT_EQ(fs::file_size(m_sandbox.HostPath("C:\\Bak\\" + left[0])), MEGABYTE);

        // The next move into the folder clears what the dead copy left.
        EXPECT_EQ(m_fileSystem.RemoveStaleCopies("C:\\Bak"), 1);
        EXPECT_TRUE(Names("C:\\Bak").empty());
    }
    ASSERT_TRUE(m_fileSystem.CopyFileTo("C:\\big.tmp", "C:\\Bak\\big.tmp", true, {}));
    EXPECT_EQ(fs::file_size(m_sandbox.HostPath("C:\\Bak\\big.tmp")), 10 * MEGABYTE);
    EXPECT_EQ(Names("C:\\Bak"), std::vector<std::string>{"big.tmp"});
}

TEST_F(PosixFileSystemCopyTest, OnlyTemporariesOfEndedProcessesAreSwept)
{
    const uint32_t nEnded = EndedProcessId();
    const std::string strStale = CopyTemporaryName(nEnded, 0x1234);
    const std::string strStaleEmpty = CopyTemporaryName(nEnded, 0x5678);
    const std::string strLive = CopyTemporaryName(static_cast<uint32_t>(::getpid()), 1);
    const std::string strInit = CopyTemporaryName(1, 2); // a process of its own, running
    m_sandbox.Build({"C:\\Bak\\keep.doc", "C:\\Bak\\.scrubix-copy.1.2"});
    for (const std::string& strName : {strStale, strLive, strInit})
        m_sandbox.MakeFile("C:\\Bak\\" + strName, "part");
    m_sandbox.MakeFile("C:\\Bak\\" + strStaleEmpty, "");
    fs::permissions(m_sandbox.HostPath("C:\\Bak\\" + strStaleEmpty), fs::perms(0444));
    // A folder and a link of that form are not copies.
    const std::string strFolder = CopyTemporaryName(nEnded, 0x9999);
    const std::string strLink = CopyTemporaryName(nEnded, 0xAAAA);
    m_sandbox.MakeFolder("C:\\Bak\\" + strFolder + "\\");
    m_sandbox.MakeLink("C:\\Bak\\" + strLink, "keep.doc");

    EXPECT_EQ(m_fileSystem.RemoveStaleCopies("C:\\Bak"), 2);
    std::vector<std::string> expected = {".scrubix-copy.1.2", "keep.doc", strLive, strInit,
                                         strFolder,           strLink};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names("C:\\Bak"), expected);
    EXPECT_EQ(m_fileSystem.RemoveStaleCopies("C:\\missing"), 0);
}

TEST_F(PosixFileSystemCopyTest, TheNameIsGivenWithoutEverReplacingAFile)
{
    m_sandbox.Build({"C:\\d\\"});
    const fs::path folderPath = m_sandbox.HostPath("C:\\d");
    const int nFolder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(nFolder, 0);
    // The rename and its fallback for file systems without RENAME_NOREPLACE.
    for (const auto place : {&PosixRenameNoReplace, &PosixLinkNoReplace})
    {
        m_sandbox.MakeFile("C:\\d\\part", "new");
        m_sandbox.MakeFile("C:\\d\\taken", "old");
        EXPECT_FALSE(place(nFolder, "part", "taken"));
        EXPECT_EQ(m_sandbox.ReadFile("C:\\d\\taken"), "old");
        EXPECT_EQ(m_sandbox.ReadFile("C:\\d\\part"), "new");
        EXPECT_TRUE(place(nFolder, "part", "free"));
        EXPECT_EQ(m_sandbox.ReadFile("C:\\d\\free"), "new");
        EXPECT_FALSE(m_sandbox.Exists("C:\\d\\part"));
        fs::remove(m_sandbox.HostPath("C:\\d\\free"));
        fs::remove(m_sandbox.HostPath("C:\\d\\taken"));
    }
    ::close(nFolder);
}

TEST_F(PosixFileSystemCopyTest, TheCopyKeepsTimesPermissionsOwnerAndAttributes)
{
    m_sandbox.Build({"C:\\to\\"});
    m_sandbox.MakeFile("C:\\src.tmp", "source bytes");
    const fs::path source = m_sandbox.HostPath("C:\\src.tmp");
    const bool bAttributes = SetUserAttribute(source, "user.scrubix.test", "kept");
    ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
    // Only root may give a file away; anyone may keep their own.
    const bool bGiven = ::chown(source.c_str(), 65534, 65534) == 0;

    for (const bool bFailIfExists : {true, false})
    {
        // Reading the source moves its access time: set again for each copy.
        ASSERT_TRUE(SetOldTimes(source));
        const SPosixFileMetadata before = ReadFileMetadata(source);
        const std::string strCopy = bFailIfExists ? "C:\\to\\new.tmp" : "C:\\to\\over.tmp";
        if (!bFailIfExists)
            m_sandbox.MakeFile(strCopy, "older and longer contents");
        ASSERT_TRUE(m_fileSystem.CopyFileTo("C:\\src.tmp", strCopy, bFailIfExists, {}));
        const SPosixFileMetadata copy = ReadFileMetadata(m_sandbox.HostPath(strCopy));
        EXPECT_EQ(m_sandbox.ReadFile(strCopy), "source bytes");
        EXPECT_TRUE(IsOldModificationTime(copy.modified));
        EXPECT_TRUE(copy.accessed == before.accessed);
        EXPECT_EQ(copy.nMode, 0640u);
        EXPECT_EQ(copy.nOwner, before.nOwner);
        EXPECT_EQ(copy.nGroup, before.nGroup);
        if (bGiven)
        {
            EXPECT_EQ(copy.nOwner, 65534u);
        }
        if (bAttributes)
        {
            EXPECT_EQ(ReadUserAttribute(m_sandbox.HostPath(strCopy), "user.scrubix.test"), "kept");
        }
    }
    EXPECT_EQ(Names("C:\\to"), (std::vector<std::string>{"new.tmp", "over.tmp"}));
    if (!bAttributes)
        GTEST_SKIP() << "the sandbox's file system refuses user extended attributes";
}

// A destination that cannot hold extended attributes (ramfs keeps none)
// still takes the copy, with its times.
TEST_F(PosixFileSystemCopyTest, AttributesTheDestinationCannotHoldDoNotFailTheCopy)
{
    m_sandbox.MakeFile("C:\\src.tmp", "data");
    const fs::path source = m_sandbox.HostPath("C:\\src.tmp");
    const bool bAttributes = SetUserAttribute(source, "user.scrubix.test", "lost");
    ASSERT_TRUE(SetOldTimes(source));
    const fs::path mount = m_sandbox.Root() / "ramfs";
    fs::create_directory(mount);
    if (::mount("scrubix-copy-test", mount.c_str(), "ramfs", 0, nullptr) != 0)
        GTEST_SKIP() << "cannot mount a ramfs here";
    CPosixFileSystem twoDrives(
        CDriveMap({{'C', m_sandbox.DriveFolder().string()}, {'D', mount.string()}}));

    const bool bCopied = twoDrives.CopyFileTo("C:\\src.tmp", "D:\\copy.tmp", true, {});
    const SPosixFileMetadata copy = ReadFileMetadata(mount / "copy.tmp");
    std::ifstream in(mount / "copy.tmp");
    const std::string strContents{std::istreambuf_iterator<char>(in), {}};
    ::umount2(mount.c_str(), MNT_DETACH);

    EXPECT_TRUE(bCopied);
    EXPECT_EQ(strContents, "data");
    EXPECT_TRUE(IsOldModificationTime(copy.modified));
    if (!bAttributes)
        GTEST_SKIP() << "the sandbox's file system refuses user extended attributes";
}
