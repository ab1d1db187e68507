#include "SearchTestSupport.h"

TEST_F(CSearchTest, FilesToDeleteEntries)
{
    m_sandbox.MakeFile("C:\\old\\x.doc", std::string(1500, 'd'));
    m_sandbox.MakeFile("C:\\old\\y.tmp", "yy");
    m_sandbox.MakeFile("C:\\old\\empty.txt", "");
    m_doc.Lists[LIST_FILE] = {"C:\\old\\x.doc", "C:\\old\\missing.doc", "nobackslash.doc",
                              "C:\\old\\y.tmp", "C:\\old\\empty.txt",   "C:\\old"};
    const auto seen = RunSearch();
    // Directed before the walk: y.tmp keeps its first reason.
    EXPECT_EQ(Paths(seen, WM_ADD_CANDIDATE),
              (std::vector<std::string>{"C:\\old\\x.doc", "C:\\old\\y.tmp", "C:\\old\\empty.txt",
                                        "C:\\old\\y.tmp"}));
    const std::map<std::string, int32_t> expected = {{"C:\\old\\x.doc", REASON_DIRECTED},
                                                     {"C:\\old\\y.tmp", REASON_DIRECTED},
                                                     {"C:\\old\\empty.txt", REASON_DIRECTED}};
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(m_rows[0].dSize, 1500);
    EXPECT_EQ(m_rows[2].dSize, 0);
    EXPECT_EQ(m_doc.DirectedCount, 3);
    EXPECT_EQ(m_doc.ExtenCount, 0);
    EXPECT_EQ(m_doc.TotalSize, 1502);
    // No folder message of their own: the walk's are the only ones.
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:", "C:\\old"}));
}

TEST_F(CSearchTest, FoldersToDeleteAreWalkedEvenWhenFiltered)
{
    m_sandbox.Build({"C:\\Junk\\a.doc", "C:\\Junk\\empty", "C:\\Junk\\Skip\\s.doc",
                     "C:\\Junk\\In\\i.doc", "C:\\NotThere.doc"});
    m_sandbox.MakeFile("C:\\Junk\\empty", "");
    m_doc.Lists[LIST_FOLDER] = {"C:\\Missing", "C:\\Junk", "C:\\NotThere.doc"};
    m_doc.Lists[LIST_FILTER] = {"c:\\junk", "C:\\JUNK\\SKIP"};
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH),
              (std::vector<std::string>{"C:\\Missing", "C:\\Junk", "C:\\Junk\\In",
                                        "C:\\NotThere.doc", "C:"}));
    const std::map<std::string, int32_t> expected = {{"C:\\Junk\\a.doc", REASON_DIRECTED},
                                                     {"C:\\Junk\\empty", REASON_DIRECTED},
                                                     {"C:\\Junk\\In\\i.doc", REASON_DIRECTED}};
    EXPECT_EQ(Listed(), expected);
}

TEST_F(CSearchTest, StopMidWalkEndsWithDoneAndNoFurtherCandidate)
{
    for (int i = 0; i < 20; ++i)
        m_sandbox.MakeFile("C:\\f" + std::to_string(i) + ".tmp");
    m_sandbox.Build({"C:\\Sub\\a.tmp", "C:\\Sub\\Deeper\\b.tmp", "C:\\Other\\c.tmp"});
    int nCandidates = 0;
    int nAfterStop = 0;
    int nPathsAfterStop = 0;
    const auto seen = RunSearch(
        [&](const SSeenMessage& item)
        {
            if (m_doc.StopFlag.load() != 0)
            {
                nAfterStop += item.nMessage == WM_ADD_CANDIDATE;
                nPathsAfterStop += item.nMessage == WM_SEARCH_PATH;
            }
            // The window asks to stop while it still holds the third report.
            if (item.nMessage == WM_ADD_CANDIDATE && ++nCandidates == 3)
                m_doc.StopFlag.store(1);
        });
    EXPECT_LE(nAfterStop, 1); // only the file in hand when the stop came
    EXPECT_EQ(nPathsAfterStop, 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
    EXPECT_EQ(m_doc.StopFlag.load(), 0); // cleared when the search ended
}

TEST_F(CSearchTest, StopDuringDirectedPhaseStillRunsThePhases)
{
    m_sandbox.Build(
        {"C:\\J1\\a.doc", "C:\\J1\\b.doc", "C:\\J2\\c.doc", "C:\\F\\f.doc", "C:\\root.tmp"});
    m_doc.Lists[LIST_FOLDER] = {"C:\\J1", "C:\\J2"};
    m_doc.Lists[LIST_FILE] = {"C:\\F\\f.doc"};
    m_doc.StopFlag.store(1); // before the thread starts: every phase runs empty
    const auto seen = RunSearch();
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:\\J1", "C:\\J2", "C:"}));
    EXPECT_EQ(Paths(seen, WM_ADD_CANDIDATE), (std::vector<std::string>{"C:\\F\\f.doc"}));
    EXPECT_EQ(seen.back().nMessage, WM_SEARCH_DONE);
}

// Entries that stand for the whole drive once "." and ".." are taken out
// (typed into the store by hand or imported from a .reg file) are never
// walked: the drive's files are not made Directed candidates. An entry with
// dots that names a real folder is walked as that folder.
TEST_F(CSearchTest, FoldersToDeleteThatStandForTheWholeDriveAreNotWalked)
{
    m_sandbox.Build({"C:\\thesis.odt", "C:\\etc\\fstab", "C:\\Junk\\In\\i.doc"});
    m_doc.Lists[LIST_FOLDER] = {"C:\\.",       "C:\\etc\\..",
                                "C:\\..\\etc", "C:\\",
                                "C:",          "C:/.",
                                "etc\\..",     "\\",
                                "C:\\\\\\",    "C:\\Junk\\.\\In\\..\\"};
    const auto seen = RunSearch();
    const std::map<std::string, int32_t> expected = {{"C:\\Junk\\In\\i.doc", REASON_DIRECTED}};
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(m_doc.DirectedCount, 1);
    // The directed phase walks the one real folder; then the drive walk starts.
    const auto paths = Paths(seen, WM_SEARCH_PATH);
    ASSERT_GE(paths.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(paths.begin(), paths.begin() + 3),
              (std::vector<std::string>{"C:\\Junk", "C:\\Junk\\In", "C:"}));
}
