#include "DisposalTestFixture.h"

class PurgePassTest : public CDisposalTest
{
protected:
    PurgePassTest() { m_doc.Move = 1; }
};

TEST_F(PurgePassTest, PurgesCheckedRowsBottomUpAndRemovesEveryRow)
{
    AddFileRow("C:\\t\\a.tmp");
    AddFileRow("C:\\t\\keep.tmp", false);
    AddFileRow("C:\\t\\b.tmp");
    AddFileRow("C:\\t\\c.tmp");
    m_doc.Anomaly = 1;

    const SWindowLog log = Run();

    EXPECT_EQ(std::vector<uint32_t>{WM_DISPOSE_DONE}, log.messages);
    EXPECT_EQ(1u, log.nResult);
    EXPECT_TRUE(m_list.m_rows.empty());
    EXPECT_EQ(m_disposal.Summary().kind, EDisposalMode::Purge);
    EXPECT_EQ(m_disposal.Summary().nDisposed, 3);
    EXPECT_EQ(m_disposal.Summary().nFailed, 0);
    EXPECT_EQ(m_disposal.Summary().dDisposedBytes, 3.0);
    EXPECT_FALSE(m_disposal.Summary().bToFolder);
    EXPECT_FALSE(m_drive.Exists("C:\\t\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\t\\b.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\t\\c.tmp"));
    EXPECT_EQ("x", m_drive.ReadFile("C:\\t\\keep.tmp"));
    EXPECT_TRUE(m_clock.m_sleeps.empty());
    EXPECT_EQ(ExpectedReport(ReportHead() + "\nNo anomalies to report.\n\nSee you next time!"
                                            "\n\nThe following files were purged:\n\n"
                                            "C:\\t\\c.tmp\nC:\\t\\b.tmp\nC:\\t\\a.tmp\n"),
              Report());
    EXPECT_EQ(1, m_prompt.m_nWaitCursors);
    EXPECT_EQ(0, m_prompt.m_nWaitCursorDepth);
}

TEST_F(PurgePassTest, AnyMoveOtherThanZeroPurges)
{
    m_doc.Anomaly = 1;
    for (const int32_t nMove : {2, -1})
    {
        m_doc.Move = nMove;
        AddFileRow("C:\\t\\a.tmp");

        Run();

        EXPECT_FALSE(m_drive.Exists("C:\\t\\a.tmp")) << nMove;
        EXPECT_NE(std::string::npos, Report().find("The following files were purged:")) << nMove;
    }
}

TEST_F(PurgePassTest, RowsWithEmptyPathsStayInTheList)
{
    AddRow("");
    AddFileRow("C:\\a.tmp");
    AddRow("", false);

    Run();

    EXPECT_EQ((std::vector<std::string>{"", ""}), m_list.Paths());
    EXPECT_FALSE(m_drive.Exists("C:\\a.tmp"));
}

TEST_F(PurgePassTest, DeclinedWarningTouchesNothing)
{
    m_doc.WarnMe = 1;
    m_doc.Anomaly = 1;
    m_prompt.m_bAnswerYes = false;
    m_prompt.m_bTickDontShow = true;
    AddFileRow("C:\\a.tmp");
    AddFileRow("C:\\b.tmp", false);

    const SWindowLog log = Run();

    EXPECT_EQ(3u, log.nResult);
    EXPECT_FALSE(m_disposal.Summary().bRan);
    EXPECT_EQ(std::vector<uint32_t>{WM_DISPOSE_DONE}, log.messages);
    EXPECT_EQ(1, m_prompt.m_nPurgeWarnings);
    EXPECT_EQ((std::vector<std::string>{"C:\\a.tmp", "C:\\b.tmp"}), m_list.Paths());
    EXPECT_TRUE(m_list.m_rows[0].bChecked);
    EXPECT_TRUE(m_drive.Exists("C:\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\Prog\\anomaly.txt"));
    EXPECT_EQ(0, m_prompt.m_nWaitCursors);
    EXPECT_EQ(1, m_store.GetInt("Settings", "WarnMe", 1)); // nothing stored
}

TEST_F(PurgePassTest, DontShowAgainWritesTheStoreOnly)
{
    m_doc.WarnMe = 1;
    m_store.SetInt("Settings", "WarnMe", 1);
    m_prompt.m_bTickDontShow = true;
    AddFileRow("C:\\a.tmp");

    EXPECT_EQ(1u, Run().nResult);

    EXPECT_EQ(0, m_store.GetInt("Settings", "WarnMe", 1));
    EXPECT_EQ(1, m_doc.WarnMe);
    EXPECT_FALSE(m_drive.Exists("C:\\a.tmp"));

    // The next purge of the run still asks.
    AddFileRow("C:\\b.tmp");
    Run();
    EXPECT_EQ(2, m_prompt.m_nPurgeWarnings);
}

TEST_F(PurgePassTest, OkWithoutTheTickStoresNothing)
{
    m_doc.WarnMe = 1;
    m_store.SetInt("Settings", "WarnMe", 1);
    AddFileRow("C:\\a.tmp");
    Run();
    EXPECT_EQ(1, m_store.GetInt("Settings", "WarnMe", 0));
}

TEST_F(PurgePassTest, InvisibleHiddenRunPurgesWithoutAskingAndDoesNotOpenTheReport)
{
    m_doc.WarnMe = 1;
    m_doc.Anomaly = 1;
    m_launchMode.InvisibleMode = 1;
    m_list.m_bVisible = false;
    AddFileRow("C:\\a.tmp");

    EXPECT_EQ(1u, Run().nResult);

    EXPECT_EQ(0, m_prompt.m_nPurgeWarnings);
    EXPECT_FALSE(m_drive.Exists("C:\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\Prog\\anomaly.txt"));
    EXPECT_EQ("", Opened());
}

TEST_F(PurgePassTest, InvisibleModeWithTheWindowShownStillAsks)
{
    m_doc.WarnMe = 1;
    m_launchMode.InvisibleMode = 1;
    m_list.m_bVisible = true;
    m_prompt.m_bAnswerYes = false;
    AddFileRow("C:\\a.tmp");

    EXPECT_EQ(3u, Run().nResult);
    EXPECT_EQ(1, m_prompt.m_nPurgeWarnings);
}

TEST_F(PurgePassTest, ReadOnlyFileFailsUnlessDeleteReadOnly)
{
    m_doc.Anomaly = 1;
    AddFileRow("C:\\ro.tmp");
    MakeReadOnly("C:\\ro.tmp");

    Run();
    EXPECT_TRUE(m_drive.Exists("C:\\ro.tmp"));
    EXPECT_TRUE(IsReadOnly("C:\\ro.tmp"));
    EXPECT_EQ(
        ExpectedReport(ReportHead() +
                       "The following file(s) could not be deleted during Purge:\n\nC:\\ro.tmp"
                       "\n\nNo Files were purged."),
        Report());

    m_doc.Deletereadonly = 1;
    AddRow("C:\\ro.tmp");
    Run();
    EXPECT_FALSE(m_drive.Exists("C:\\ro.tmp"));
}

TEST_F(PurgePassTest, VeryLongPathsArePurgedWhole)
{
    std::string strPath = "C:";
    for (int i = 0; i < 12; ++i)
        strPath += "\\" + std::string(40, static_cast<char>('a' + i));
    strPath += "\\f.tmp";
    ASSERT_GT(strPath.size(), 400u);
    AddFileRow(strPath);
    m_doc.Anomaly = 1;

    Run();

    EXPECT_FALSE(m_drive.Exists(strPath));
    EXPECT_NE(std::string::npos, Report().find(TextModeLines(strPath + "\n")));
}
