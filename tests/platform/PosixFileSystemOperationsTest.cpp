#include "platform/posix/CPosixFileSystem.h"
#include "support/CSandboxDrive.h"

#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

// Root ignores permission bits; the immutable flag stops even root.
class CImmutableGuard
{
public:
    explicit CImmutableGuard(const fs::path& path) : m_path(path) { m_bSet = SetFlag(true); }
    ~CImmutableGuard()
    {
        if (m_bSet)
            SetFlag(false);
    }
    bool IsSet() const { return m_bSet; }

private:
    bool SetFlag(bool bOn) const
    {
        const int nFd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        int nFlags = 0;
        bool bOk = nFd >= 0 && ioctl(nFd, FS_IOC_GETFLAGS, &nFlags) == 0;
        nFlags = bOn ? (nFlags | FS_IMMUTABLE_FL) : (nFlags & ~FS_IMMUTABLE_FL);
        bOk = bOk && ioctl(nFd, FS_IOC_SETFLAGS, &nFlags) == 0;
        if (nFd >= 0)
            close(nFd);
        return bOk;
    }
    fs::path m_path;
    bool m_bSet = false;
};

class PosixFileSystemOperationsTest : public ::testing::Test
{
protected:
    fs::perms Mode(const std::string& strPath) const
    {
        return fs::symlink_status(m_sandbox.HostPath(strPath)).permissions();
    }
    size_t CountEntries(const std::string& strFolder) const
    {
        size_t nCount = 0;
        for ([[maybe_unused]] const auto& entry :
             fs::directory_iterator(m_sandbox.HostPath(strFolder)))
            ++nCount;
        return nCount;
    }
    SFileIdentity IdentityOf(const std::string& strPath)
    {
        uint32_t nHigh = 0, nLow = 0;
        SFileIdentity identity;
        EXPECT_TRUE(m_fileSystem.OpenForSize(strPath, nHigh, nLow, identity)) << strPath;
        return identity;
    }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

} // namespace

TEST_F(PosixFileSystemOperationsTest, ReadOnlyIsTheOwnerWriteBit)
{
    m_sandbox.Build({"C:\\f.tmp", "C:\\dir\\"});
    uint32_t nAttributes = 0;
    ASSERT_TRUE(m_fileSystem.GetAttributes("C:\\f.tmp", nAttributes));
    EXPECT_EQ(nAttributes, FILE_ATTR_NORMAL);
    ASSERT_TRUE(m_fileSystem.GetAttributes("C:", nAttributes));
    EXPECT_EQ(nAttributes & FILE_ATTR_DIRECTORY, FILE_ATTR_DIRECTORY);
    ASSERT_TRUE(m_fileSystem.GetAttributes("C:\\dir", nAttributes));
    EXPECT_EQ(nAttributes, FILE_ATTR_DIRECTORY);

    fs::permissions(m_sandbox.HostPath("C:\\f.tmp"), fs::perms(0664));
    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\f.tmp", FILE_ATTR_READONLY | FILE_ATTR_SYSTEM));
    EXPECT_EQ(Mode("C:\\f.tmp"), fs::perms(0444));
    ASSERT_TRUE(m_fileSystem.GetAttributes("C:\\f.tmp", nAttributes));
    EXPECT_EQ(nAttributes, FILE_ATTR_READONLY); // system reads clear

    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\f.tmp", FILE_ATTR_ARCHIVE));
    EXPECT_EQ(Mode("C:\\f.tmp"), fs::perms(0644));
    EXPECT_FALSE(m_fileSystem.GetAttributes("C:\\missing", nAttributes));
    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\missing", 0));
}

TEST_F(PosixFileSystemOperationsTest, AttributesNeverFollowALink)
{
    std::ofstream(m_sandbox.Outside() / "target.tmp") << "x";
    fs::permissions(m_sandbox.Outside() / "target.tmp", fs::perms(0644));
    m_sandbox.MakeLink("C:\\link.tmp", m_sandbox.Outside() / "target.tmp");
    m_sandbox.MakeLink("C:\\linkdir", m_sandbox.Outside());

    uint32_t nAttributes = 0;
    ASSERT_TRUE(m_fileSystem.GetAttributes("C:\\link.tmp", nAttributes));
    EXPECT_EQ(nAttributes, FILE_ATTR_REPARSE_POINT);
    EXPECT_TRUE(m_fileSystem.SetAttributes("C:\\link.tmp", FILE_ATTR_READONLY));
    EXPECT_EQ(fs::status(m_sandbox.Outside() / "target.tmp").permissions(), fs::perms(0644));
    EXPECT_FALSE(m_fileSystem.GetAttributes("C:\\linkdir\\target.tmp", nAttributes));
    EXPECT_FALSE(m_fileSystem.SetAttributes("C:\\linkdir\\target.tmp", FILE_ATTR_READONLY));
    EXPECT_EQ(fs::status(m_sandbox.Outside() / "target.tmp").permissions(), fs::perms(0644));
}

TEST_F(PosixFileSystemOperationsTest, RemoveFileRefusesReadOnlyUntilCleared)
{
    m_sandbox.MakeFile("C:\\ro.tmp");
    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\ro.tmp", FILE_ATTR_READONLY));
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\ro.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\ro.tmp"));
    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\ro.tmp", 0));
    EXPECT_TRUE(m_fileSystem.RemoveFile("C:\\ro.tmp", {}));
    EXPECT_FALSE(m_sandbox.Exists("C:\\ro.tmp"));
}

TEST_F(PosixFileSystemOperationsTest, RemoveFileRefusesFoldersMissingAndImmutableFiles)
{
    m_sandbox.Build({"C:\\dir\\", "C:\\stuck.tmp"});
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\dir", {}));
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:", {}));
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\missing.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\dir"));

    const CImmutableGuard guard(m_sandbox.HostPath("C:\\stuck.tmp"));
    if (!guard.IsSet())
        GTEST_SKIP() << "the immutable flag is not available here";
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\stuck.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\stuck.tmp"));
}

TEST_F(PosixFileSystemOperationsTest, RemoveFileChecksTheIdentity)
{
    m_sandbox.MakeFile("C:\\f.tmp", "old");
    const SFileIdentity old = IdentityOf("C:\\f.tmp");
    // The new file exists before the old one goes, so its inode differs.
    m_sandbox.MakeFile("C:\\new.tmp", "new");
    fs::rename(m_sandbox.HostPath("C:\\new.tmp"), m_sandbox.HostPath("C:\\f.tmp"));
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\f.tmp", old));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\f.tmp"), "new");
    EXPECT_TRUE(m_fileSystem.RemoveFile("C:\\f.tmp", IdentityOf("C:\\f.tmp")));
}

TEST_F(PosixFileSystemOperationsTest, ARecreatedFileWithAReusedInodeIsAnotherFile)
{
    // ext4 hands a freed inode number straight to the next new file: delete
    // and re-create until that happens, then the old identity must not match.
    for (int nTry = 0; nTry < 200; ++nTry)
    {
        m_sandbox.MakeFile("C:\\f.tmp", "old");
        const SFileIdentity old = IdentityOf("C:\\f.tmp");
        fs::remove(m_sandbox.HostPath("C:\\f.tmp"));
        m_sandbox.MakeFile("C:\\f.tmp", "new");
        const SFileIdentity now = IdentityOf("C:\\f.tmp");
        if (now.nIndex != old.nIndex)
        {
            fs::remove(m_sandbox.HostPath("C:\\f.tmp"));
            continue;
        }
        if (old.nBirthTime == 0)
            GTEST_SKIP() << "this file system records no birth time";
        EXPECT_FALSE(now == old);
        EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\f.tmp", old));
        EXPECT_EQ(m_sandbox.ReadFile("C:\\f.tmp"), "new");
        return;
    }
    GTEST_SKIP() << "no inode number was reused";
}

TEST_F(PosixFileSystemOperationsTest, RemoveFileTakesTheLinkNeverItsTarget)
{
    std::ofstream(m_sandbox.Outside() / "target.tmp") << "keep";
    m_sandbox.MakeLink("C:\\link.tmp", m_sandbox.Outside() / "target.tmp");
    EXPECT_TRUE(m_fileSystem.RemoveFile("C:\\link.tmp", {}));
    EXPECT_FALSE(m_sandbox.Exists("C:\\link.tmp"));
    EXPECT_TRUE(fs::exists(m_sandbox.Outside() / "target.tmp"));
}

TEST_F(PosixFileSystemOperationsTest, NothingActsThroughALinkedParent)
{
    std::ofstream(m_sandbox.Outside() / "victim.tmp") << "keep";
    m_sandbox.Build({"C:\\parent\\victim.tmp"});
    // The folder seen by a search is swapped for a link to elsewhere.
    fs::remove_all(m_sandbox.HostPath("C:\\parent"));
    m_sandbox.MakeLink("C:\\parent", m_sandbox.Outside());

    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\parent\\victim.tmp", {}));
    EXPECT_FALSE(m_fileSystem.MakeFolder("C:\\parent\\new"));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\parent\\victim.tmp", "C:\\copy.tmp", true, {}));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\parent", "C:\\parent\\victim.tmp", false, {}));
    EXPECT_EQ(m_fileSystem.CreateTextFile("C:\\parent\\victim.tmp"), nullptr);
    EXPECT_FALSE(m_fileSystem.IsFolderAccessible("C:\\parent"));
    std::string strContents;
    EXPECT_FALSE(m_fileSystem.ReadWholeFile("C:\\parent\\victim.tmp", strContents));

    EXPECT_EQ(CountEntries("C:"), 1u);
    ASSERT_TRUE(fs::exists(m_sandbox.Outside() / "victim.tmp"));
    std::ifstream in(m_sandbox.Outside() / "victim.tmp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
    EXPECT_FALSE(fs::exists(m_sandbox.Outside() / "new"));
}

TEST_F(PosixFileSystemOperationsTest, CopyFileWithAndWithoutOverwrite)
{
    m_sandbox.Build({"C:\\to\\"});
    m_sandbox.MakeFile("C:\\src.tmp", "source bytes");
    fs::permissions(m_sandbox.HostPath("C:\\src.tmp"), fs::perms(0640));

    ASSERT_TRUE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\to\\a.tmp", true, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\to\\a.tmp"), "source bytes");
    EXPECT_EQ(Mode("C:\\to\\a.tmp"), fs::perms(0640));

    m_sandbox.MakeFile("C:\\to\\b.tmp", "older and longer contents");
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\to\\b.tmp", true, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\to\\b.tmp"), "older and longer contents");
    ASSERT_TRUE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\to\\b.tmp", false, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\to\\b.tmp"), "source bytes");

    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\missing.tmp", "C:\\to\\c.tmp", true, {}));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\to", "C:\\to\\c.tmp", true, {}));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\to", false, {}));
    EXPECT_EQ(CountEntries("C:\\to"), 2u); // no temporary left behind
    EXPECT_EQ(m_sandbox.ReadFile("C:\\src.tmp"), "source bytes");
}

TEST_F(PosixFileSystemOperationsTest, CopyRefusesReadOnlyDestinationAndChangedSource)
{
    m_sandbox.MakeFile("C:\\src.tmp", "new");
    m_sandbox.MakeFile("C:\\ro.tmp", "old");
    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\ro.tmp", FILE_ATTR_READONLY));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\ro.tmp", false, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\ro.tmp"), "old");
    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\ro.tmp", 0));
    EXPECT_TRUE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\ro.tmp", false, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\ro.tmp"), "new");

    SFileIdentity stale = IdentityOf("C:\\src.tmp");
    ++stale.nIndex;
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\c.tmp", true, stale));
    EXPECT_FALSE(m_sandbox.Exists("C:\\c.tmp"));
    EXPECT_TRUE(
        m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\c.tmp", true, IdentityOf("C:\\src.tmp")));
}

TEST_F(PosixFileSystemOperationsTest, CopyNeverFollowsLinks)
{
    std::ofstream(m_sandbox.Outside() / "target.tmp") << "outside";
    m_sandbox.MakeFile("C:\\src.tmp", "inside");
    m_sandbox.MakeLink("C:\\link.tmp", m_sandbox.Outside() / "target.tmp");
    m_sandbox.MakeLink("C:\\dest.tmp", m_sandbox.Outside() / "target.tmp");

    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\link.tmp", "C:\\copy.tmp", true, {}));
    EXPECT_FALSE(m_sandbox.Exists("C:\\copy.tmp"));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\dest.tmp", true, {}));
    // Overwriting replaces the link itself.
    ASSERT_TRUE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\dest.tmp", false, {}));
    EXPECT_FALSE(fs::is_symlink(m_sandbox.HostPath("C:\\dest.tmp")));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\dest.tmp"), "inside");
    std::ifstream in(m_sandbox.Outside() / "target.tmp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "outside");
}

TEST_F(PosixFileSystemOperationsTest, CopyIntoAFolderThatRefusesWritesLeavesNothing)
{
    m_sandbox.Build({"C:\\locked\\old.tmp"});
    m_sandbox.MakeFile("C:\\src.tmp", "data");
    const CImmutableGuard guard(m_sandbox.HostPath("C:\\locked"));
    if (!guard.IsSet())
        GTEST_SKIP() << "the immutable flag is not available here";
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\locked\\new.tmp", true, {}));
    EXPECT_FALSE(m_fileSystem.CopyFileTo("C:\\src.tmp", "C:\\locked\\old.tmp", false, {}));
    EXPECT_EQ(CountEntries("C:\\locked"), 1u);
    EXPECT_EQ(m_sandbox.ReadFile("C:\\locked\\old.tmp"), "x");
}

TEST_F(PosixFileSystemOperationsTest, MakeFolderFailsWhenItExists)
{
    EXPECT_TRUE(m_fileSystem.MakeFolder("C:\\new"));
    EXPECT_TRUE(fs::is_directory(m_sandbox.HostPath("C:\\new")));
    EXPECT_FALSE(m_fileSystem.MakeFolder("C:\\new"));
    EXPECT_FALSE(m_fileSystem.MakeFolder("C:\\missing\\new"));
    EXPECT_FALSE(m_fileSystem.MakeFolder("C:"));
}

TEST_F(PosixFileSystemOperationsTest, OpenForSizeReportsSizeAndIdentity)
{
    m_sandbox.MakeFile("C:\\f.tmp", "12345");
    m_sandbox.MakeLink("C:\\link.tmp", "f.tmp");
    m_sandbox.Build({"C:\\dir\\"});
    uint32_t nHigh = 9, nLow = 9;
    SFileIdentity identity;
    ASSERT_TRUE(m_fileSystem.OpenForSize("C:\\f.tmp", nHigh, nLow, identity));
    EXPECT_EQ(nHigh, 0u);
    EXPECT_EQ(nLow, 5u);
    EXPECT_TRUE(identity.bKnown);
    struct stat info
    {
    };
    ASSERT_EQ(lstat(m_sandbox.HostPath("C:\\f.tmp").c_str(), &info), 0);
    EXPECT_EQ(identity, (SFileIdentity{info.st_dev, info.st_ino, true}));

    SFileIdentity linkIdentity;
    ASSERT_TRUE(m_fileSystem.OpenForSize("C:\\link.tmp", nHigh, nLow, linkIdentity));
    EXPECT_EQ(nLow, 5u); // the length of "f.tmp", the link's own text
    EXPECT_NE(linkIdentity, identity);
    EXPECT_FALSE(m_fileSystem.OpenForSize("C:\\dir", nHigh, nLow, identity));
    EXPECT_FALSE(m_fileSystem.OpenForSize("C:\\missing", nHigh, nLow, identity));
}

TEST_F(PosixFileSystemOperationsTest, FolderAccessibility)
{
    m_sandbox.Build({"C:\\dir\\", "C:\\f.tmp"});
    m_sandbox.MakeLink("C:\\linkdir", m_sandbox.HostPath("C:\\dir"));
    const fs::path before = fs::current_path();
    EXPECT_TRUE(m_fileSystem.IsFolderAccessible("C:"));
    EXPECT_TRUE(m_fileSystem.IsFolderAccessible("C:\\dir\\"));
    EXPECT_FALSE(m_fileSystem.IsFolderAccessible("C:\\f.tmp"));
    EXPECT_FALSE(m_fileSystem.IsFolderAccessible("C:\\linkdir"));
    EXPECT_FALSE(m_fileSystem.IsFolderAccessible("C:\\missing"));
    EXPECT_FALSE(m_fileSystem.IsFolderAccessible("Q:\\"));
    EXPECT_EQ(fs::current_path(), before);
}

// Root may enter any folder; an unprivileged child shows the permission check.
TEST_F(PosixFileSystemOperationsTest, FolderWithoutSearchPermissionIsNotAccessible)
{
    m_sandbox.Build({"C:\\open\\", "C:\\closed\\"});
    fs::permissions(m_sandbox.Root(), fs::perms(0755));
    fs::permissions(m_sandbox.DriveFolder(), fs::perms(0755));
    fs::permissions(m_sandbox.HostPath("C:\\closed"), fs::perms(0700));
    const pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0)
    {
        if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
            setresuid(65534, 65534, 65534) != 0)
            _exit(77);
        int nFailures = m_fileSystem.IsFolderAccessible("C:\\open") ? 0 : 1;
        nFailures |= m_fileSystem.IsFolderAccessible("C:\\closed") ? 2 : 0;
        _exit(nFailures);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus));
    if (WEXITSTATUS(nStatus) == 77)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
}

TEST_F(PosixFileSystemOperationsTest, TextFileReplacesAPlantedLinkNotItsTarget)
{
    std::ofstream(m_sandbox.Outside() / "target.tmp") << "precious";
    m_sandbox.MakeLink("C:\\report.txt", m_sandbox.Outside() / "target.tmp");
    {
        const std::unique_ptr<ITextFile> file = m_fileSystem.CreateTextFile("C:\\report.txt");
        ASSERT_TRUE(file);
        file->Write("line one\n");
        file->Write("line two\n");
    }
    EXPECT_FALSE(fs::is_symlink(m_sandbox.HostPath("C:\\report.txt")));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\report.txt"), "line one\nline two\n");
    std::ifstream in(m_sandbox.Outside() / "target.tmp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");

    std::string strContents;
    ASSERT_TRUE(m_fileSystem.ReadWholeFile("C:\\report.txt", strContents));
    EXPECT_EQ(strContents, "line one\nline two\n");
}

TEST_F(PosixFileSystemOperationsTest, TextFileStartsFreshAndRespectsReadOnly)
{
    m_sandbox.MakeFile("C:\\report.txt", "a much longer older report");
    std::unique_ptr<ITextFile> file = m_fileSystem.CreateTextFile("C:\\report.txt");
    ASSERT_TRUE(file);
    file->Write("new");
    file->Close();
    file->Write("ignored after close");
    file.reset();
    EXPECT_EQ(m_sandbox.ReadFile("C:\\report.txt"), "new");

    ASSERT_TRUE(m_fileSystem.SetAttributes("C:\\report.txt", FILE_ATTR_READONLY));
    EXPECT_EQ(m_fileSystem.CreateTextFile("C:\\report.txt"), nullptr);
    EXPECT_EQ(m_sandbox.ReadFile("C:\\report.txt"), "new");
    m_sandbox.Build({"C:\\dir\\"});
    EXPECT_EQ(m_fileSystem.CreateTextFile("C:\\dir"), nullptr);
    EXPECT_EQ(m_fileSystem.CreateTextFile("C:\\missing\\report.txt"), nullptr);
    std::string strContents = "unchanged";
    EXPECT_FALSE(m_fileSystem.ReadWholeFile("C:\\missing.txt", strContents));
    EXPECT_EQ(strContents, "unchanged");
}

TEST_F(PosixFileSystemOperationsTest, SystemFacts)
{
    EXPECT_EQ(m_fileSystem.GetWindowsFolder(), "C:\\etc");
    EXPECT_EQ(m_fileSystem.GetPlatformId(), 2);
    EXPECT_EQ(m_fileSystem.ListDrives(), std::vector<std::string>{"C:"});
    CPosixFileSystem twoDrives(CDriveMap({{'D', "/mnt/data"}, {'C', "/"}}));
    EXPECT_EQ(twoDrives.ListDrives(), (std::vector<std::string>{"C:", "D:"}));
}
