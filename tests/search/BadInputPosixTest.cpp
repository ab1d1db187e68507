// Input only a POSIX drive can hold: a folder without read permission, a
// tree deeper than any Windows path, a name that is not valid UTF-8.
#include "SearchTestSupport.h"

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
