// Input only a POSIX drive can hold: a folder without read permission, a
// tree deeper than any Windows path, a name that is not valid UTF-8.
#include "SearchTestSupport.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool AllOnDriveC(const std::vector<SCandidateRow>& rows)
{
    for (const SCandidateRow& row : rows)
        if (row.strPath.rfind("C:\\", 0) != 0)
            return false;
    return true;
}
} // namespace

TEST_F(CSearchTest, UnreadableAndNonFolderEntriesYieldTheirPathOnly)
{
    m_sandbox.Build({"C:\\Locked\\a.tmp", "C:\\plain.doc", "C:\\ok.tmp"});
    std::filesystem::permissions(m_sandbox.HostPath("C:\\Locked"), std::filesystem::perms::none);
    m_doc.Lists[LIST_FOLDER] = {"C:\\plain.doc"};
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH).front(), "C:\\plain.doc");
    EXPECT_TRUE(Listed().count("C:\\ok.tmp"));
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
}

TEST_F(CSearchTest, DeepTreeLongPathsOddNamesAndLoops)
{
    // 2000 levels of one-letter folders, a file at the bottom.
    std::string strDeep = "C:";
    std::filesystem::path host = m_sandbox.DriveFolder();
    for (int i = 0; i < 2000; ++i)
    {
        strDeep += "\\d";
        host /= "d";
    }
    ASSERT_EQ(mkdir(m_sandbox.DriveFolder().c_str(), 0755) == 0 || errno == EEXIST, true);
    int nFolder = open(m_sandbox.DriveFolder().c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 2000; ++i)
    {
        ASSERT_EQ(mkdirat(nFolder, "d", 0755), 0);
        const int nNext = openat(nFolder, "d", O_RDONLY | O_DIRECTORY);
        close(nFolder);
        nFolder = nNext;
    }
    close(openat(nFolder, "deep.tmp", O_CREAT | O_WRONLY, 0644));
    close(nFolder);

    // A path well past 4096 bytes, built relative to each level.
    const std::string strLong(200, 'L');
    nFolder = open(m_sandbox.DriveFolder().c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 25; ++i)
    {
        ASSERT_EQ(mkdirat(nFolder, strLong.c_str(), 0755), 0);
        const int nNext = openat(nFolder, strLong.c_str(), O_RDONLY | O_DIRECTORY);
        close(nFolder);
        nFolder = nNext;
    }
    close(openat(nFolder, "long.tmp", O_CREAT | O_WRONLY, 0644));
    close(nFolder);

    m_sandbox.MakeFile(std::string("C:\\bad\xff\xfe.tmp"), "b");
    std::filesystem::create_directory_symlink("..", m_sandbox.HostPath("C:\\up"));
    std::filesystem::create_directory_symlink(m_sandbox.Root(), m_sandbox.HostPath("C:\\root"));
    m_sandbox.MakeFile("C:\\..\\outside\\o.tmp"); // beside the drive, not on it

    const auto seen = RunSearch();
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
    EXPECT_TRUE(AllOnDriveC(m_rows));
    const auto listed = Listed();
    EXPECT_TRUE(listed.count("C:\\bad\xff\xfe.tmp")); // bytes kept exactly
    EXPECT_TRUE(listed.count(strDeep + "\\deep.tmp"));
    for (const SCandidateRow& row : m_rows)
        EXPECT_EQ(row.strPath.find("o.tmp"), std::string::npos) << row.strPath;
}

namespace
{
// "C:\d\d...": nLevels folders named d below the root.
std::string Spine(int nLevels)
{
    std::string strPath = "C:";
    for (int i = 0; i < nLevels; ++i)
        strPath += "\\d";
    return strPath;
}

size_t DepthOf(const std::string& strPath)
{
    return static_cast<size_t>(std::count(strPath.begin(), strPath.end(), '\\')) - 1;
}
} // namespace

// A tree far deeper than a path can be resolved in one step, with branches
// and siblings deep down: every candidate is found, with its own path.
TEST_F(CSearchTest, DeepTreeIsFoundWholeWithItsPaths)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= 300; ++i)
        paths.push_back(Spine(i) + "\\f" + std::to_string(i) + ".tmp");
    for (const int nLevel : {33, 120, 280})
        for (const char* pszSide : {"a", "b\\c", "b\\d\\e"})
            paths.push_back(Spine(nLevel) + "\\" + pszSide + "\\g.bak");
    paths.push_back(Spine(150) + "\\plain.txt");
    m_sandbox.Build(paths);
    paths.pop_back();

    const auto seen = RunSearch();
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
    const auto listed = Listed();
    EXPECT_EQ(listed.size(), paths.size());
    for (const std::string& strPath : paths)
        EXPECT_EQ(listed.count(strPath), 1u) << strPath;
}

// The tree changes deep down while the search is below a folder it keeps
// open: what is no longer beneath the drive by its path is never listed.
TEST_F(CSearchTest, DeepFolderMovedAwayDuringTheSearchIsNotWalkedThere)
{
    enum class EChange
    {
        RenamedOut,        // a folder far up moved out of the drive
        SwappedForLink,    // and a link to where it went put in its place
        NextSwappedForLink // the folder about to be entered, for a link
    };
    for (const EChange change :
         {EChange::RenamedOut, EChange::SwappedForLink, EChange::NextSwappedForLink})
    {
        SCOPED_TRACE(static_cast<int>(change));
        std::filesystem::remove_all(m_sandbox.DriveFolder());
        std::filesystem::remove_all(m_sandbox.Outside());
        std::filesystem::create_directories(m_sandbox.Outside());
        std::vector<std::string> paths;
        for (int i = 1; i <= 300; ++i)
            paths.push_back(Spine(i) + "\\f" + std::to_string(i) + ".tmp");
        m_sandbox.Build(paths);

        const int nSwapped = change == EChange::NextSwappedForLink ? 201 : 100;
        const std::filesystem::path level = m_sandbox.HostPath(Spine(nSwapped));
        const std::filesystem::path moved = m_sandbox.Outside() / "moved";
        RunSearch(
            [&](const SSeenMessage& message)
            {
                // The search has posted the folder 200 levels down and waits
                // for this message to be handled before it enters the next.
                if (message.nMessage != WM_SEARCH_PATH || message.strPath != Spine(200))
                    return;
                std::filesystem::rename(level, moved);
                if (change != EChange::RenamedOut)
                    std::filesystem::create_directory_symlink(moved, level);
            });

        EXPECT_TRUE(AllOnDriveC(m_rows));
        const auto listed = Listed();
        for (int i = 1; i < 200; ++i)
            EXPECT_EQ(listed.count(paths[static_cast<size_t>(i - 1)]), 1u) << i;
        for (const SCandidateRow& row : m_rows)
            EXPECT_LE(DepthOf(row.strPath), 200u) << row.strPath.substr(row.strPath.size() - 10);
        EXPECT_TRUE(std::filesystem::exists(moved / "d" / "f101.tmp") ||
                    std::filesystem::exists(moved / "f201.tmp"));
    }
}
