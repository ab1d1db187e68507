#include "DisposalTestFixture.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

class AnomalyReportTest : public CDisposalTest
{
protected:
    AnomalyReportTest()
    {
        m_doc.Anomaly = 1;
        m_doc.RecycleRadio = 1;
    }
};

TEST_F(AnomalyReportTest, MoveWithOneFailureMatchesTheDocumentedLayout)
{
    AddFileRow("C:\\a.tmp");
    AddFileRow("C:\\b.tmp");
    AddFileRow("C:\\c.tmp");
    m_drive.MakeFile("C:\\Bak\\a.tmp", "already there");

    Run();

    EXPECT_EQ(ExpectedReport(ReportHead() + "The following file(s) could not be Moved perfectly:\n"
                                            "\nC:\\a.tmp"
                                            "\n\nThe following files were moved:\n\n"
                                            "C:\\c.tmp\n"
                                            "C:\\b.tmp\n"),
              Report());
}

TEST_F(AnomalyReportTest, NothingCheckedGivesTheClosingTextsOnly)
{
    AddFileRow("C:\\a.tmp", false);
    Run();
    EXPECT_EQ(ExpectedReport(ReportHead() + "\nNo anomalies to report.\n\nSee you next "
                                            "time!\n\nNo Files were moved."),
              Report());

    m_doc.Move = 1;
    Run();
    EXPECT_EQ(ExpectedReport(ReportHead() + "\nNo anomalies to report.\n\nSee you next "
                                            "time!\n\nNo Files were purged."),
              Report());
}

TEST_F(AnomalyReportTest, PurgeWhereEveryFileFails)
{
    m_doc.Move = 1;
    AddRow("C:\\gone1.tmp");
    AddRow("C:\\gone2.tmp");
    Run();
    EXPECT_EQ(ExpectedReport(ReportHead() +
                             "The following file(s) could not be deleted during Purge:\n"
                             "\nC:\\gone2.tmp\nC:\\gone1.tmp"
                             "\n\nNo Files were purged."),
              Report());
}

TEST_F(AnomalyReportTest, NoReportWhenAnomalyIsOff)
{
    m_doc.Anomaly = 0;
    AddFileRow("C:\\a.tmp");
    Run();
    EXPECT_FALSE(m_drive.Exists("C:\\Prog\\anomaly.txt"));
    EXPECT_EQ("", Opened());
}

TEST_F(AnomalyReportTest, EmptyPathPutsTheReportAtTheDriveRoot)
{
    m_doc.Path = "";
    m_doc.Move = 1;
    Run();
    const std::string strReport = m_drive.ReadFile("C:\\anomaly.txt");
    EXPECT_NE(std::string::npos,
              strReport.find(TextModeLines("\n\nThis file can be found at c:\\anomaly.txt\n\n")));
}

TEST_F(AnomalyReportTest, DateNamesWeekdayMonthDayYearAndTime)
{
    const std::string strDate = FormatReportDate(m_clock.m_now);
    const std::time_t now = m_clock.m_now;
    const std::tm local = *std::localtime(&now); // no other thread runs here
    // The names come from the user's locale, as the report's do (the C one
    // where the environment names none that is installed).
    std::ostringstream expected;
    try
    {
        expected.imbue(std::locale(""));
    }
    catch (const std::runtime_error&)
    {
        expected.imbue(std::locale::classic());
    }
    expected << std::put_time(&local, "%A, %B %d, %Y");
    EXPECT_EQ(0u, strDate.find(expected.str())) << strDate;
    EXPECT_TRUE(std::regex_search(strDate, std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}"))) << strDate;
}

TEST_F(AnomalyReportTest, ReportAndProgramFilesAreNeverDisposedOf)
{
    m_doc.Move = 1;
    m_drive.MakeFile("C:\\Prog\\anomaly.txt", "last report");
    m_drive.MakeFile("C:\\Prog\\HKLM.db", "hive");
    m_drive.MakeFile("C:\\Prog\\HKLM.db-journal", "journal");
    fs::create_hard_link(m_drive.HostPath("C:\\Prog\\HKLM.db"), m_drive.HostPath("C:\\other.bak"));
    m_disposal.SetProtectedFiles({"C:\\Prog\\HKLM.db", "C:\\Prog\\HKLM.db-journal"});
    AddRow("C:\\PROG\\ANOMALY.TXT");
    AddRow("C:\\Prog\\HKLM.db");
    AddRow("C:\\Prog\\hklm.DB-JOURNAL");
    AddRow("C:\\other.bak");

    Run();

    EXPECT_EQ("hive", m_drive.ReadFile("C:\\Prog\\HKLM.db"));
    EXPECT_EQ("journal", m_drive.ReadFile("C:\\Prog\\HKLM.db-journal"));
    EXPECT_TRUE(m_drive.Exists("C:\\other.bak"));
    EXPECT_EQ(ExpectedReport(ReportHead() +
                             "The following file(s) could not be deleted during Purge:\n"
                             "\nC:\\other.bak\nC:\\Prog\\hklm.DB-JOURNAL\nC:\\Prog\\HKLM.db"
                             "\nC:\\PROG\\ANOMALY.TXT\n\nNo Files were purged."),
              Report());
}

TEST_F(AnomalyReportTest, ProtectedFileIsNotOverwrittenByAMoveEither)
{
    m_doc.MovePath = "C:\\Prog";
    m_doc.Overwrite = 1;
    AddFileRow("C:\\x\\anomaly.txt", true, "intruder");
    Run();
    EXPECT_NE(std::string::npos,
              Report().find(TextModeLines("Moved perfectly:\n\nC:\\x\\anomaly.txt")));
    EXPECT_EQ("intruder", m_drive.ReadFile("C:\\x\\anomaly.txt"));
}
