// Deep folders are listed one step from the folders opened before them. These
// cases walk trees well past the depth where that starts, and change the tree
// under the kept folders: links, renames out of the drive, swaps, mounts.
#include "platform/posix/CPosixFileSystem.h"
#include "support/CSandboxDrive.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sched.h>
#include <set>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

constexpr int DEPTH = 300;

// "C:\d\d...": nLevels folders named d (or strName) below strBase.
std::string Spine(int nLevels, const std::string& strBase = "C:", const std::string& strName = "d")
{
    std::string strPath = strBase;
    for (int i = 0; i < nLevels; ++i)
        strPath += "\\" + strName;
    return strPath;
}

std::string Level(int nLevel)
{
    return "f" + std::to_string(nLevel) + ".tmp";
}

class PosixFolderChainTest : public ::testing::Test
{
protected:
    // DEPTH levels, a file f<i>.tmp in the i-th.
    std::set<std::string> BuildSpine(const std::string& strBase = "C:", int nLevels = DEPTH,
                                     const std::string& strPrefix = "f")
    {
        std::set<std::string> files;
        std::vector<std::string> paths;
        for (int i = 1; i <= nLevels; ++i)
        {
            paths.push_back(Spine(i, strBase) + "\\" + strPrefix + std::to_string(i) + ".tmp");
            files.insert(paths.back());
        }
        m_sandbox.Build(paths);
        return files;
    }

    std::vector<std::string> Names(const std::string& strFolder)
    {
        std::vector<std::string> names;
        const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing(strFolder);
        SFindEntry entry;
        while (listing && listing->Next(entry))
            if (entry.strName != "." && entry.strName != "..")
                names.push_back(entry.strName);
        return names;
    }

    bool Lists(const std::string& strFolder, const std::string& strName)
    {
        const std::vector<std::string> names = Names(strFolder);
        return std::find(names.begin(), names.end(), strName) != names.end();
    }

    // Depth first, as the search walks: each listing is closed before its
    // sub-folders are entered, the last one listed first.
    void Walk(const std::string& strFolder, std::set<std::string>& files)
    {
        std::vector<std::string> subfolders;
        {
            const std::unique_ptr<IFolderListing> listing = m_fileSystem.OpenListing(strFolder);
            SFindEntry entry;
            while (listing && listing->Next(entry))
            {
                if (entry.strName == "." || entry.strName == "..")
                    continue;
                const std::string strPath = strFolder + "\\" + entry.strName;
                if (entry.IsDirectory())
                    subfolders.push_back(strPath);
                else
                    files.insert(strPath);
            }
        }
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            Walk(*it, files);
    }

    std::set<std::string> WalkDrive()
    {
        std::set<std::string> files;
        Walk("C:", files);
        return files;
    }

    // Every listed file can be opened by its path from the root, without a
    // link on the way or another mount: it is on the drive where it says.
    void ExpectAllBeneathRoot(const std::set<std::string>& files)
    {
        const CPosixFd root = CPosixSafeOpen::OpenRoot(m_sandbox.DriveFolder().string());
        for (const std::string& strPath : files)
        {
            const std::optional<CDriveMap::SHostPath> host = m_fileSystem.DriveMap().Split(strPath);
            ASSERT_TRUE(host) << strPath;
            EXPECT_TRUE(CPosixSafeOpen::OpenBeneath(root.Get(), host->strRelative, O_PATH).IsOpen())
                << strPath;
        }
    }

    // Empties the drive and the outside folder for the next case.
    void ClearDrive()
    {
        for (const fs::path& folder : {m_sandbox.DriveFolder(), m_sandbox.Outside()})
        {
            fs::remove_all(folder);
            fs::create_directories(folder);
        }
    }

    fs::path Host(int nLevels) const { return m_sandbox.HostPath(Spine(nLevels)); }

    CSandboxDrive m_sandbox;
    CPosixFileSystem m_fileSystem{CDriveMap::FromEnvironment()};
};

// Lists of paths compare badly at this size: say what is missing and extra.
void ExpectSameFiles(const std::set<std::string>& found, const std::set<std::string>& expected)
{
    std::vector<std::string> missing, extra;
    std::set_difference(expected.begin(), expected.end(), found.begin(), found.end(),
                        std::back_inserter(missing));
    std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first " << missing.front();
    EXPECT_TRUE(extra.empty()) << extra.size() << " extra, first " << extra.front();
}

} // namespace

TEST_F(PosixFolderChainTest, DeepTreeIsWalkedWholeWithItsOwnPaths)
{
    std::set<std::string> expected = BuildSpine();
    // Side branches where the chain starts, at a stride boundary, and deep
    // down; siblings deep down, so that the walk goes up and down again.
    std::vector<std::string> paths;
    for (const int nLevel : {31, 32, 33, 64, 150, DEPTH - 1})
        for (int i = 1; i <= 40; ++i)
            paths.push_back(Spine(i, Spine(nLevel), "s") + "\\g.tmp");
    for (const char* pszSibling : {"a", "b", "c"})
        for (int i = 1; i <= 5; ++i)
            paths.push_back(Spine(i, Spine(200) + "\\" + pszSibling) + "\\h.tmp");
    m_sandbox.Build(paths);
    expected.insert(paths.begin(), paths.end());

    const std::set<std::string> found = WalkDrive();
    ExpectSameFiles(found, expected);
    ExpectAllBeneathRoot(found);

    // The deepest folder is one step from the kept ones; few are kept.
    EXPECT_TRUE(Lists(Spine(DEPTH), Level(DEPTH)));
    const size_t nKept = m_fileSystem.FolderChain().OpenFolderCount();
    EXPECT_GT(nKept, 0u);
    EXPECT_LE(nKept, 32u + DEPTH / 32 + 1);
}

// A link put in the place of a folder is never followed, whether it is the
// next folder or one far up that the walk keeps open.
TEST_F(PosixFolderChainTest, FolderSwappedForALinkIsNotFollowed)
{
    struct SCase
    {
        const char* pszWhat;
        int nLevel;        // the folder swapped
        bool bLinkOutside; // else the link points into the drive
    };
    const SCase cases[] = {
        {"the next folder, link to outside", 251, true},
        {"a kept folder far up, link to outside", 100, true},
        {"a kept folder far up, link inside the drive", 100, false},
        {"a kept folder just above, link to outside", 249, true},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.pszWhat);
        ClearDrive();
        BuildSpine();
        ASSERT_TRUE(Lists(Spine(250), Level(250)));

        const fs::path moved =
            test.bLinkOutside ? m_sandbox.Outside() / "moved" : m_sandbox.HostPath("C:\\elsewhere");
        fs::rename(Host(test.nLevel), moved);
        fs::create_directory_symlink(moved, Host(test.nLevel));

        EXPECT_EQ(m_fileSystem.OpenListing(Spine(251)), nullptr);
        EXPECT_EQ(m_fileSystem.OpenListing(Spine(DEPTH)), nullptr);
        if (test.nLevel > 250)
        {
            EXPECT_TRUE(Lists(Spine(250), Level(250)));
        }
        else
        {
            EXPECT_EQ(m_fileSystem.OpenListing(Spine(250)), nullptr);
        }

        std::set<std::string> expected{Spine(test.nLevel)}; // the link, as a file
        for (int i = 1; i < test.nLevel; ++i)
            expected.insert(Spine(i) + "\\" + Level(i));
        if (!test.bLinkOutside)
            for (int i = test.nLevel; i <= DEPTH; ++i)
                expected.insert(Spine(i - test.nLevel, "C:\\elsewhere") + "\\" + Level(i));
        const std::set<std::string> found = WalkDrive();
        ExpectSameFiles(found, expected);
        ExpectAllBeneathRoot(found);
    }
}

// A folder far up renamed away while the walk is below it: the walk goes on
// by the paths as they are now, never in the folder where it went.
TEST_F(PosixFolderChainTest, FolderRenamedAwayIsNotListedWhereItWent)
{
    enum class EMove
    {
        OutOfTheDrive,
        WithinTheDrive,
        ExchangedWithOutside, // an outside tree takes its place and name
        RootRenamed,          // the drive root itself, a new one in its place
    };
    const std::pair<const char*, EMove> cases[] = {
        {"renamed out of the drive", EMove::OutOfTheDrive},
        {"renamed within the drive", EMove::WithinTheDrive},
        {"exchanged with a folder outside", EMove::ExchangedWithOutside},
        {"the drive root renamed", EMove::RootRenamed},
    };
    for (const auto& [pszWhat, move] : cases)
    {
        SCOPED_TRACE(pszWhat);
        ClearDrive();
        BuildSpine();
        ASSERT_TRUE(Lists(Spine(250), Level(250)));

        switch (move)
        {
        case EMove::OutOfTheDrive:
            fs::rename(Host(100), m_sandbox.Outside() / "moved");
            break;
        case EMove::WithinTheDrive:
            fs::rename(Host(100), m_sandbox.HostPath("C:\\elsewhere"));
            break;
        case EMove::ExchangedWithOutside:
        {
            // The outside twin: 140 levels, t<i>.tmp in each.
            std::string strTwin = (m_sandbox.Outside() / "twin").string();
            for (int i = 1; i <= 140; ++i)
            {
                strTwin += "/d";
                fs::create_directories(strTwin);
                std::ofstream(strTwin + "/t" + std::to_string(i) + ".tmp") << "x";
            }
            ASSERT_EQ(renameat2(AT_FDCWD, Host(100).c_str(), AT_FDCWD,
                                (m_sandbox.Outside() / "twin" / "d").c_str(), RENAME_EXCHANGE),
                      0);
            break;
        }
        case EMove::RootRenamed:
            fs::rename(m_sandbox.DriveFolder(), m_sandbox.Outside() / "old-drive");
            fs::create_directories(m_sandbox.DriveFolder());
            break;
        }

        EXPECT_EQ(m_fileSystem.OpenListing(Spine(250)), nullptr);
        switch (move)
        {
        case EMove::OutOfTheDrive:
        case EMove::RootRenamed:
            EXPECT_EQ(m_fileSystem.OpenListing(Spine(251)), nullptr);
            break;
        case EMove::WithinTheDrive:
            EXPECT_EQ(m_fileSystem.OpenListing(Spine(251)), nullptr);
            EXPECT_TRUE(Lists(Spine(151, "C:\\elsewhere"), Level(251)));
            break;
        case EMove::ExchangedWithOutside:
            // The path now leads into the twin, which is on the drive now.
            EXPECT_TRUE(Lists(Spine(160), "t61.tmp"));
            EXPECT_FALSE(Lists(Spine(160), Level(160)));
            EXPECT_EQ(m_fileSystem.OpenListing(Spine(251)), nullptr);
            break;
        }
        const std::set<std::string> found = WalkDrive();
        ExpectAllBeneathRoot(found);
        for (const std::string& strPath : found)
            EXPECT_FALSE(strPath.rfind("C:\\d\\", 0) == 0 &&
                         strPath.find("\\f250.tmp") != std::string::npos)
                << strPath;
        const size_t nExpected[] = {99, DEPTH, 99 + 140, 0};
        EXPECT_EQ(found.size(), nExpected[static_cast<int>(move)]);
    }
}

// Mounts deep down, made once the walk keeps folders above them, are never
// entered: a tmpfs, a bind mount of a folder outside, one over the spine.
// Mounts need a private mount namespace: a child makes one and checks there.
TEST_F(PosixFolderChainTest, MountsDeepDownAreNotEntered)
{
    BuildSpine();
    m_sandbox.Build({Spine(200) + "\\m\\", Spine(220) + "\\b\\"});
    std::ofstream(m_sandbox.Outside() / "victim.tmp") << "keep";

    const pid_t nChild = fork();
    ASSERT_GE(nChild, 0);
    if (nChild == 0)
    {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            _exit(77);
        if (!Lists(Spine(250), Level(250)))
            _exit(78);
        if (mount("none", (Host(200) / "m").c_str(), "tmpfs", 0, nullptr) != 0 ||
            mount(m_sandbox.Outside().c_str(), (Host(220) / "b").c_str(), nullptr, MS_BIND,
                  nullptr) != 0 ||
            mount("none", Host(260).c_str(), "tmpfs", 0, nullptr) != 0)
            _exit(79);
        std::ofstream(Host(200) / "m" / "in-tmpfs.tmp") << "x";
        std::ofstream(Host(260) / "f260.tmp") << "x";
        std::ofstream(Host(260) / "d") << "x";

        std::set<std::string> expected;
        for (int i = 1; i < 260; ++i)
            expected.insert(Spine(i) + "\\" + Level(i));
        const std::set<std::string> found = WalkDrive();
        // Exits with the number of the first check that failed.
        const bool checks[] = {
            found == expected,
            m_fileSystem.OpenListing(Spine(200) + "\\m") == nullptr,
            m_fileSystem.OpenListing(Spine(220) + "\\b") == nullptr,
            m_fileSystem.OpenListing(Spine(260)) == nullptr,
            m_fileSystem.OpenListing(Spine(261)) == nullptr,
            Lists(Spine(259), Level(259)),
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

// The drive root deleted and made again between two listings, shallow and
// deep: the new root is listed, never the deleted one.
TEST_F(PosixFolderChainTest, RootMadeAgainIsListedAgain)
{
    for (const int nLevels : {2, 250})
    {
        SCOPED_TRACE(nLevels);
        ClearDrive();
        BuildSpine("C:", nLevels);
        ASSERT_TRUE(Lists(Spine(nLevels - 1), "d"));

        fs::remove_all(m_sandbox.DriveFolder());
        BuildSpine("C:", nLevels, "g");

        EXPECT_TRUE(Lists(Spine(nLevels), "g" + std::to_string(nLevels) + ".tmp"));
        EXPECT_TRUE(Lists(Spine(nLevels - 1), "d"));
    }
}
