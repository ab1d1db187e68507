#include "platform/posix/CPosixFileSystem.h"
#include "support/CSandboxDrive.h"
#include "support/CurrentFolderGuard.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

// std::filesystem cannot reach below PATH_MAX, so deep trees are built and
// removed with *at calls.
void RemoveTreeAt(int nParentFd, const std::string& strName)
{
    const int nFd = openat(nParentFd, strName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (nFd >= 0)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd/" + std::to_string(nFd)))
            names.push_back(entry.path().filename().string());
        for (const std::string& strChild : names)
            if (unlinkat(nFd, strChild.c_str(), 0) != 0)
                RemoveTreeAt(nFd, strChild);
        close(nFd);
    }
    unlinkat(nParentFd, strName.c_str(), AT_REMOVEDIR);
}

class PosixFileSystemPathsTest : public ::testing::Test
{
protected:
    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

} // namespace

TEST_F(PosixFileSystemPathsTest, CurrentFolderInWindowsForm)
{
    m_sandbox.Build({"C:\\sub\\deeper\\"});
    {
        const CCurrentFolderGuard guard(m_sandbox.HostPath("C:\\sub\\deeper"));
        EXPECT_EQ(m_fileSystem.GetCurrentFolder(), "C:\\sub\\deeper");
    }
    {
        const CCurrentFolderGuard guard(m_sandbox.DriveFolder());
        EXPECT_EQ(m_fileSystem.GetCurrentFolder(), "C:\\");
    }
    {
        const CCurrentFolderGuard guard(m_sandbox.Outside());
        EXPECT_EQ(m_fileSystem.GetCurrentFolder(), "C:\\");
    }
    fs::create_directories(m_sandbox.DriveFolder() / "back\\slash");
    {
        const CCurrentFolderGuard guard(m_sandbox.DriveFolder() / "back\\slash");
        EXPECT_EQ(m_fileSystem.GetCurrentFolder(), "C:\\");
    }
}

TEST_F(PosixFileSystemPathsTest, HostPathsOnADriveHaveTheirWindowsForm)
{
    const std::string strDrive = m_sandbox.DriveFolder().string();
    EXPECT_EQ(m_fileSystem.WindowsPathOf(strDrive + "/Moved"), "C:\\Moved");
    EXPECT_EQ(m_fileSystem.WindowsPathOf(strDrive + "//a/./b/"), "C:\\a\\b");
    EXPECT_EQ(m_fileSystem.WindowsPathOf(strDrive), "C:\\");
    EXPECT_EQ(m_fileSystem.WindowsPathOf(m_sandbox.Outside().string()), std::nullopt);
    EXPECT_EQ(m_fileSystem.WindowsPathOf(strDrive + "/back\\slash"), std::nullopt);
    EXPECT_EQ(m_fileSystem.WindowsPathOf("Moved"), std::nullopt) << "not a host path";
    EXPECT_EQ(m_fileSystem.WindowsPathOf("C:\\Moved"), std::nullopt) << "already Windows form";
}

// Paths beyond PATH_MAX are handled whole, never cut short.
TEST_F(PosixFileSystemPathsTest, PathsLongerThanPathMaxWorkWhole)
{
    const std::string strComponent(200, 'd');
    const int nRoot = open(m_sandbox.DriveFolder().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(nRoot, 0);
    std::string strWindows = "C:";
    int nFd = dup(nRoot);
    for (int i = 0; i < 30; ++i)
    {
        ASSERT_EQ(mkdirat(nFd, strComponent.c_str(), 0755), 0);
        const int nNext = openat(nFd, strComponent.c_str(), O_RDONLY | O_DIRECTORY);
        close(nFd);
        nFd = nNext;
        ASSERT_GE(nFd, 0);
        strWindows += "\\" + strComponent;
    }
    close(openat(nFd, "deep.tmp", O_WRONLY | O_CREAT, 0644));
    close(nFd);
    ASSERT_GT(strWindows.size(), 6000u);

    const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing(strWindows);
    ASSERT_TRUE(listing);
    SFindEntry entry;
    bool bFound = false;
    while (listing->Next(entry))
        bFound = bFound || entry.strName == "deep.tmp";
    EXPECT_TRUE(bFound);
    uint32_t nAttributes = 0;
    EXPECT_TRUE(m_fileSystem.GetAttributes(strWindows + "\\deep.tmp", nAttributes));
    EXPECT_TRUE(m_fileSystem.MakeFolder(strWindows + "\\made"));
    EXPECT_TRUE(m_fileSystem.IsFolderAccessible(strWindows + "\\made"));
    EXPECT_TRUE(m_fileSystem.RemoveFile(strWindows + "\\deep.tmp", {}));
    EXPECT_FALSE(m_fileSystem.GetAttributes(strWindows + "\\deep.tmp", nAttributes));
    // A cut-off path would name a shallower folder that exists.
    EXPECT_FALSE(m_fileSystem.GetAttributes(strWindows + "\\missing", nAttributes));

    RemoveTreeAt(nRoot, strComponent);
    close(nRoot);
}

TEST_F(PosixFileSystemPathsTest, OverlongNamesFailCleanly)
{
    const std::string strName(300, 'n');
    uint32_t nAttributes = 0;
    EXPECT_FALSE(m_fileSystem.GetAttributes("C:\\" + strName, nAttributes));
    EXPECT_FALSE(m_fileSystem.MakeFolder("C:\\" + strName));
    EXPECT_EQ(m_fileSystem.OpenListing("C:\\" + strName + "\\x"), nullptr);
    EXPECT_EQ(m_fileSystem.CreateTextFile("C:\\" + strName), nullptr);
    EXPECT_TRUE(fs::is_empty(m_sandbox.DriveFolder()));
}

TEST_F(PosixFileSystemPathsTest, WalkFallbackRefusesLinksAndDotDot)
{
    m_sandbox.Build({"C:\\a\\b\\f.tmp"});
    m_sandbox.MakeLink("C:\\link", m_sandbox.HostPath("C:\\a"));
    const CPosixFd root = CPosixSafeOpen::OpenRoot(m_sandbox.DriveFolder().string());
    ASSERT_TRUE(root.IsOpen());
    EXPECT_TRUE(CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "a/b/f.tmp", O_RDONLY).IsOpen());
    EXPECT_TRUE(CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "", O_PATH).IsOpen());
    EXPECT_FALSE(CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "link/b/f.tmp", O_RDONLY).IsOpen());
    EXPECT_FALSE(CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "link", O_RDONLY).IsOpen());
    EXPECT_FALSE(CPosixSafeOpen::OpenBeneathByWalk(root.Get(), "a/../../outside", O_PATH).IsOpen());
    EXPECT_FALSE(CPosixSafeOpen::OpenBeneath(root.Get(), "../outside", O_PATH).IsOpen());
    EXPECT_FALSE(CPosixSafeOpen::OpenBeneath(root.Get(), "a/b/f.tmp", O_RDONLY | O_CREAT).IsOpen());
}

// The system folders are named through the drive map, nothing is looked up:
// under the default map (C: is "/") the host's folders on C:, a folder that
// is a drive of its own also by that drive's root, and the user's home; in a
// sandbox whose C: is a temporary folder, none of the host's.
TEST_F(PosixFileSystemPathsTest, SystemFoldersFollowTheDriveOfTheHostRoot)
{
    using Strings = std::vector<std::string>;
    const auto has = [](const Strings& folders, const std::string& strFolder)
    { return std::find(folders.begin(), folders.end(), strFolder) != folders.end(); };
    const std::string strRoot = m_sandbox.Root().string();

    // HOME is the sandbox's; D: is the sandbox, E: a separate /home.
    CPosixFileSystem hostMap(CDriveMap({{'C', "/"}, {'D', strRoot}, {'E', "/home"}}));
    const Strings host = hostMap.ListSystemFolders();
    for (const char* pszFolder :
         {"C:\\etc", "C:\\usr", "C:\\boot", "C:\\bin", "C:\\sbin", "C:\\lib", "C:\\lib32",
          "C:\\lib64", "C:\\libx32", "C:\\var", "C:\\home", "E:\\", "D:\\home"})
        EXPECT_TRUE(has(host, pszFolder)) << pszFolder << " in " << ::testing::PrintToString(host);
    EXPECT_EQ(host.size(), 13u) << ::testing::PrintToString(host);

    // The sandbox's own table: C:\etc there is not the host's.
    EXPECT_TRUE(m_fileSystem.ListSystemFolders().empty());
    CPosixFileSystem homeOnDrive(CDriveMap({{'C', strRoot}}));
    EXPECT_EQ(homeOnDrive.ListSystemFolders(), Strings{"C:\\home"});
}
