#include "platform/posix/CPosixFileSystem.h"
#include "support/CSandboxDrive.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

class PosixFileSystemListingTest : public ::testing::Test
{
protected:
    std::map<std::string, SFindEntry> List(const std::string& strFolder)
    {
        std::map<std::string, SFindEntry> entries;
        const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing(strFolder);
        if (!listing)
            return entries;
        SFindEntry entry;
        while (listing->Next(entry))
            entries[entry.strName] = entry;
        return entries;
    }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

} // namespace

TEST_F(PosixFileSystemListingTest, ListsFilesAndFoldersWithoutSizes)
{
    m_sandbox.Build({"C:\\dir\\", "C:\\a.tmp", "C:\\.hidden\\"});
    m_sandbox.MakeFile("C:\\b.bak", "12345");
    const auto entries = List("C:");
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_TRUE(entries.at(".").IsDirectory());
    EXPECT_TRUE(entries.at("..").IsDirectory());
    EXPECT_TRUE(entries.at("dir").IsDirectory());
    EXPECT_TRUE(entries.at(".hidden").IsDirectory());
    EXPECT_EQ(entries.at(".hidden").nAttributes & FILE_ATTR_HIDDEN, 0u);
    const SFindEntry& file = entries.at("b.bak");
    EXPECT_FALSE(file.IsDirectory());
    EXPECT_FALSE(file.bDetailsKnown);
    EXPECT_TRUE(file.identity.bKnown);

    uint32_t nHigh = 0, nLow = 0;
    SFileIdentity identity;
    ASSERT_TRUE(m_fileSystem.OpenForSize("C:\\b.bak", nHigh, nLow, identity));
    EXPECT_EQ(file.identity, identity);
    EXPECT_TRUE(List("C:\\dir\\").count(".."));
    EXPECT_EQ(m_fileSystem.OpenListing("C:\\missing"), nullptr);
    EXPECT_EQ(m_fileSystem.OpenListing("C:\\a.tmp"), nullptr);
}

TEST_F(PosixFileSystemListingTest, FillDetailsReadsSizeHalvesAndReadOnly)
{
    m_sandbox.MakeSparseFile("C:\\big.tmp", (5ull << 32) + 7);
    m_sandbox.MakeFile("C:\\ro.tmp", "abc");
    fs::permissions(m_sandbox.HostPath("C:\\ro.tmp"), fs::perms::owner_read);
    m_sandbox.MakeFile("C:\\gone.tmp", "abcdef");

    const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing("C:");
    ASSERT_TRUE(listing);
    SFindEntry entry;
    int nFiles = 0;
    while (listing->Next(entry))
    {
        if (entry.IsDirectory())
            continue;
        ++nFiles;
        if (entry.strName == "gone.tmp")
        {
            fs::remove(m_sandbox.HostPath("C:\\gone.tmp"));
            const SFindEntry seen = entry;
            EXPECT_FALSE(listing->FillDetails(entry));
            EXPECT_EQ(entry.strName, seen.strName);
            EXPECT_FALSE(entry.bDetailsKnown);
            continue;
        }
        ASSERT_TRUE(listing->FillDetails(entry));
        EXPECT_TRUE(entry.bDetailsKnown);
        if (entry.strName == "big.tmp")
        {
            EXPECT_EQ(entry.nSizeHigh, 5u);
            EXPECT_EQ(entry.nSizeLow, 7u);
            EXPECT_EQ(entry.nAttributes & FILE_ATTR_READONLY, 0u);
        }
        else
        {
            EXPECT_EQ(entry.nSizeLow, 3u);
            EXPECT_NE(entry.nAttributes & FILE_ATTR_READONLY, 0u);
        }
    }
    EXPECT_EQ(nFiles, 3);
}

TEST_F(PosixFileSystemListingTest, NamesWithoutWindowsFormAreSkippedOthersKeepTheirBytes)
{
    const std::string strOdd = "\xff\xfe\x80 odd.tmp";
    m_sandbox.MakeFile("C:\\" + strOdd);
    {
        std::ofstream out(m_sandbox.DriveFolder() / "back\\slash.tmp");
    }
    const auto entries = List("C:");
    EXPECT_EQ(entries.count("back\\slash.tmp"), 0u);
    ASSERT_EQ(entries.count(strOdd), 1u);

    const std::optional<std::string> windows =
        m_fileSystem.DriveMap().ToWindows((m_sandbox.DriveFolder() / strOdd).string());
    ASSERT_TRUE(windows);
    EXPECT_EQ(*windows, "C:\\" + strOdd);
    EXPECT_TRUE(m_fileSystem.RemoveFile(*windows, entries.at(strOdd).identity));
    EXPECT_FALSE(m_sandbox.Exists("C:\\" + strOdd));
}

TEST_F(PosixFileSystemListingTest, LinksAreFilesAndNeverEntered)
{
    m_sandbox.Build({"C:\\real\\inside.tmp"});
    m_sandbox.MakeLink("C:\\to-dir", m_sandbox.HostPath("C:\\real"));
    m_sandbox.MakeLink("C:\\to-outside", m_sandbox.Outside());
    m_sandbox.MakeLink("C:\\loop", "loop");
    m_sandbox.MakeLink("C:\\ping", "pong");
    m_sandbox.MakeLink("C:\\pong", "ping");
    m_sandbox.MakeLink("C:\\dangling", "nowhere");

    const auto entries = List("C:");
    for (const char* pszLink : {"to-dir", "to-outside", "loop", "ping", "pong", "dangling"})
    {
        ASSERT_EQ(entries.count(pszLink), 1u) << pszLink;
        EXPECT_EQ(entries.at(pszLink).nAttributes, FILE_ATTR_REPARSE_POINT) << pszLink;
        EXPECT_EQ(m_fileSystem.OpenListing(std::string("C:\\") + pszLink), nullptr) << pszLink;
    }
    EXPECT_TRUE(entries.at("real").IsDirectory());
    EXPECT_EQ(m_fileSystem.OpenListing("C:\\to-dir\\"), nullptr);

    // Details of a link are its own: its size is the length of its text.
    const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing("C:");
    SFindEntry entry;
    while (listing->Next(entry))
    {
        if (entry.strName != "loop")
            continue;
        ASSERT_TRUE(listing->FillDetails(entry));
        EXPECT_EQ(entry.nSizeLow, 4u);
        EXPECT_EQ(entry.nAttributes, FILE_ATTR_REPARSE_POINT);
    }
}

TEST_F(PosixFileSystemListingTest, SpecialFilesAreNotListed)
{
    m_sandbox.MakeFile("C:\\plain.tmp");
    m_sandbox.MakeFifo("C:\\fifo.tmp");
    const std::string strSocket = (m_sandbox.DriveFolder() / "socket.tmp").string();
    const int nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(nSocket, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(strSocket.size(), sizeof(address.sun_path));
    strSocket.copy(address.sun_path, strSocket.size());
    ASSERT_EQ(bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    close(nSocket);
    const bool bDevice =
        mknod((m_sandbox.DriveFolder() / "null.tmp").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

    const auto entries = List("C:");
    EXPECT_EQ(entries.count("plain.tmp"), 1u);
    EXPECT_EQ(entries.count("fifo.tmp"), 0u);
    EXPECT_EQ(entries.count("socket.tmp"), 0u);
    EXPECT_EQ(entries.count("null.tmp"), 0u);

    uint32_t nHigh = 0, nLow = 0;
    SFileIdentity identity;
    EXPECT_FALSE(m_fileSystem.OpenForSize("C:\\fifo.tmp", nHigh, nLow, identity));
    EXPECT_FALSE(m_fileSystem.OpenForSize("C:\\socket.tmp", nHigh, nLow, identity));
    if (bDevice)
    {
        EXPECT_FALSE(m_fileSystem.OpenForSize("C:\\null.tmp", nHigh, nLow, identity));
    }
    std::string strContents;
    EXPECT_FALSE(m_fileSystem.ReadWholeFile("C:\\fifo.tmp", strContents));
    EXPECT_FALSE(m_fileSystem.RemoveFile("C:\\fifo.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\fifo.tmp"));
}

// Mounts need a private mount namespace: the child makes one, mounts inside
// the sandbox, checks, and takes the mounts with it when it exits.
TEST_F(PosixFileSystemListingTest, MountPointsAreNeitherListedNorEntered)
{
    m_sandbox.Build(
        {"C:\\plain\\", "C:\\tmpfs\\", "C:\\bind\\", "C:\\same\\", "C:\\source\\s.tmp"});
    std::ofstream(m_sandbox.Outside() / "victim.tmp") << "keep";
    const fs::path drive = m_sandbox.DriveFolder();

    const pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0)
    {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            _exit(77);
        if (mount("none", (drive / "tmpfs").c_str(), "tmpfs", 0, nullptr) != 0 ||
            mount(m_sandbox.Outside().c_str(), (drive / "bind").c_str(), nullptr, MS_BIND,
                  nullptr) != 0 ||
            mount((drive / "source").c_str(), (drive / "same").c_str(), nullptr, MS_BIND,
                  nullptr) != 0)
            _exit(78);
        const auto entries = List("C:");
        uint32_t nAttributes = 0;
        const CPosixFd root = CPosixSafeOpen::OpenRoot(drive.string());
        // Exits with the number of the first check that failed.
        const bool checks[] = {
            entries.count("plain") == 1,
            entries.count("tmpfs") == 0,
            entries.count("bind") == 0,
            entries.count("same") == 0,
            m_fileSystem.OpenListing("C:\\bind") == nullptr,
            m_fileSystem.OpenListing("C:\\same") == nullptr,
            !m_fileSystem.RemoveFile("C:\\bind\\victim.tmp", {}),
            !m_fileSystem.GetAttributes("C:\\tmpfs", nAttributes),
            !CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "bind/victim.tmp", O_RDONLY).IsOpen(),
            !CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "same", O_PATH).IsOpen(),
            CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "plain", O_PATH).IsOpen(),
        };
        for (size_t i = 0; i < std::size(checks); ++i)
            if (!checks[i])
                _exit(static_cast<int>(i + 1));
        _exit(0);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(nChild, &nStatus, 0), nChild);
    ASSERT_TRUE(WIFEXITED(nStatus));
    if (WEXITSTATUS(nStatus) == 77)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "number of the failed check";
    EXPECT_TRUE(fs::exists(m_sandbox.Outside() / "victim.tmp"));
}
