// Between the search and the disposal hours may pass: files are written to,
// other passes fill the destination folder, the report's disk fills up. A
// pass acts only on what the user reviewed, and says what it could not do.
#include "DisposalRaceFixture.h"

#include <chrono>

namespace fs = std::filesystem;

class ChangedSinceSearchTest : public CDisposalRaceTest
{
};

TEST_P(ChangedSinceSearchTest, EmptyFileWrittenToSinceTheSearchStaysAndIsReported)
{
    AddFileRow("C:\\f.tmp", true, "");
    std::ofstream(m_drive.HostPath("C:\\f.tmp"), std::ios::app) << "thesis";

    Run();

    EXPECT_EQ("thesis", m_drive.ReadFile("C:\\f.tmp"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

TEST_P(ChangedSinceSearchTest, FileRewrittenWithTheSameSizeStays)
{
    AddFileRow("C:\\f.tmp", true, "old!");
    const fs::path host = m_drive.HostPath("C:\\f.tmp");
    const auto seen = fs::last_write_time(host);
    std::ofstream(host, std::ios::trunc) << "new!";
    // A later write, whatever the clock's granularity.
    fs::last_write_time(host, seen + std::chrono::seconds(2));

    Run();

    EXPECT_EQ("new!", m_drive.ReadFile("C:\\f.tmp"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

TEST_P(ChangedSinceSearchTest, UnchangedFileIsStillDisposedOf)
{
    AddFileRow("C:\\f.tmp", true, "same");

    Run();

    EXPECT_FALSE(m_drive.Exists("C:\\f.tmp"));
    EXPECT_EQ(std::string::npos, Report().find("could not")) << Report();
}

INSTANTIATE_TEST_SUITE_P(EveryDisposal, ChangedSinceSearchTest,
                         ::testing::Values("purge", "folder", "trash"));

class MoveDestinationSinceSearchTest : public CDisposalTest
{
protected:
    MoveDestinationSinceSearchTest()
    {
        m_doc.RecycleRadio = 1;
        m_doc.Overwrite = 1;
        m_doc.Anomaly = 1;
    }

    // The search begins once the file-time clock has passed the last change
    // of the file already in the folder. (The clock that stamps files may
    // run a little ahead of the one a program reads, never behind it.)
    void BeginSearchAfter(const std::string& strExisting)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        SFileIdentity existing;
        ASSERT_TRUE(m_fileSystem.OpenForSize(strExisting, nHigh, nLow, existing));
        ASSERT_NE(0, existing.nChangeTime);
        while (m_clock.FileTimeNow() <= existing.nChangeTime)
            std::this_thread::yield();
        m_doc.SearchStartTime = m_clock.FileTimeNow();
    }
};

TEST_F(MoveDestinationSinceSearchTest, FileThatCameIntoTheFolderAfterTheSearchIsNeverReplaced)
{
    m_drive.MakeFile("C:\\Bak\\old.tmp", "was there");
    BeginSearchAfter("C:\\Bak\\old.tmp");
    AddFileRow("C:\\a\\old.tmp", true, "from a");
    AddFileRow("C:\\a\\x.tmp", true, "from a");
    // Another pass moves C:\b\x.tmp into the folder while these rows wait.
    m_drive.MakeFile("C:\\Bak\\x.tmp", "from b");

    Run();

    EXPECT_EQ("from b", m_drive.ReadFile("C:\\Bak\\x.tmp"));
    EXPECT_EQ("from a", m_drive.ReadFile("C:\\a\\x.tmp"));
    EXPECT_EQ("from a", m_drive.ReadFile("C:\\Bak\\old.tmp")); // there before: Overwrite holds
    EXPECT_FALSE(m_drive.Exists("C:\\a\\old.tmp"));
    EXPECT_EQ(
        ExpectedReport(ReportHead() +
                       "The following file(s) could not be Moved perfectly:\n"
                       "\nC:\\a\\x.tmp\n\nThe following files were moved:\n\nC:\\a\\old.tmp\n"),
        Report());
}

TEST_F(MoveDestinationSinceSearchTest, CandidateAlreadyInTheDestinationIsNotMovedOntoItself)
{
    m_drive.MakeFile("C:\\Bak\\c.tmp", "in the folder");
    BeginSearchAfter("C:\\Bak\\c.tmp");
    AddFileRow("C:\\c.tmp", true, "outside it");
    AddRow("C:\\Bak\\c.tmp"); // handled first: the rows go bottom-up

    Run();

    // Refused without a touch, so the real move of C:\c.tmp may replace it.
    EXPECT_EQ("outside it", m_drive.ReadFile("C:\\Bak\\c.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\c.tmp"));
    EXPECT_EQ(ExpectedReport(ReportHead() +
                             "The following file(s) could not be Moved perfectly:\n"
                             "\nC:\\Bak\\c.tmp\n\nThe following files were moved:\n\nC:\\c.tmp\n"),
              Report());
}

TEST_F(MoveDestinationSinceSearchTest, CandidateInTheDestinationStaysAsItWasWithoutOverwrite)
{
    m_doc.Overwrite = 0;
    m_drive.MakeFile("C:\\Bak\\c.tmp", "in the folder");
    const fs::path inFolder = m_drive.HostPath("C:\\Bak\\c.tmp");
    fs::last_write_time(inFolder, fs::last_write_time(inFolder) - std::chrono::hours(24));
    const auto seen = fs::last_write_time(inFolder);
    AddRow("C:\\Bak\\c.tmp");

    Run();

    EXPECT_EQ("in the folder", m_drive.ReadFile("C:\\Bak\\c.tmp"));
    EXPECT_EQ(seen, fs::last_write_time(inFolder));
    EXPECT_NE(std::string::npos, Report().find(TextModeLines("\nC:\\Bak\\c.tmp\n"))) << Report();
}

class DisposalLockTest : public CDisposalTest
{
protected:
    DisposalLockTest() : m_otherProcess(CreatePlatform())
    {
        m_doc.Move = 1;
        AddFileRow("C:\\f.tmp");
    }
    // A second user of the same settings store, as another process has it.
    SPlatform m_otherProcess;
};

TEST_F(DisposalLockTest, PassRefusesWhileAnotherPassOverTheSameSettingsRuns)
{
    {
        const auto pOtherPass = m_otherProcess.pRegistry->TryLock(ERegistryHive::LocalMachine,
                                                                  CDisposal::DISPOSAL_LOCK_NAME);
        ASSERT_NE(nullptr, pOtherPass);

        const SWindowLog log = Run();

        EXPECT_EQ(static_cast<uintptr_t>(CDisposal::RESULT_BUSY), log.nResult);
        EXPECT_TRUE(m_drive.Exists("C:\\f.tmp"));
        EXPECT_EQ(1u, m_list.m_rows.size());
        ASSERT_EQ(1u, m_prompt.m_messages.size());
        EXPECT_EQ(CDisposal::DISPOSAL_BUSY_TEXT, m_prompt.m_messages[0]);
    }

    const SWindowLog log = Run(); // the other pass has ended

    EXPECT_EQ(static_cast<uintptr_t>(CDisposal::RESULT_DONE), log.nResult);
    EXPECT_FALSE(m_drive.Exists("C:\\f.tmp"));
    // And the pass let go of it again.
    EXPECT_NE(nullptr, m_otherProcess.pRegistry->TryLock(ERegistryHive::LocalMachine,
                                                         CDisposal::DISPOSAL_LOCK_NAME));
}

class ReportNotWrittenTest : public CDisposalTest
{
};

TEST_F(ReportNotWrittenTest, ReportThatCannotBeCreatedIsSaidAndNeverOpened)
{
    m_doc.Move = 1;
    m_doc.Anomaly = 1;
    m_doc.Path = "C:\\Gone";
    AddFileRow("C:\\f.tmp");

    Run();

    EXPECT_FALSE(m_drive.Exists("C:\\f.tmp")); // the pass itself still runs
    EXPECT_TRUE(m_disposal.IsReportIncomplete());
    EXPECT_EQ("", Opened());
    ASSERT_EQ(1u, m_prompt.m_messages.size());
    EXPECT_EQ(ReportNotWrittenText("C:\\Gone\\anomaly.txt"), m_prompt.m_messages[0]);
}

TEST_F(ReportNotWrittenTest, InvisibleRunWritesNoBoxButStillKnows)
{
    m_doc.Move = 1;
    m_doc.Anomaly = 1;
    m_doc.Path = "C:\\Gone";
    m_launchMode.InvisibleMode = 1;
    m_list.m_bVisible = false;
    AddFileRow("C:\\f.tmp");

    Run();

    EXPECT_TRUE(m_disposal.IsReportIncomplete());
    EXPECT_TRUE(m_prompt.m_messages.empty());
}
