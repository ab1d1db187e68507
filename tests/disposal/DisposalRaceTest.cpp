#include "DisposalRaceFixture.h"

namespace fs = std::filesystem;

class DisposalRaceTest : public CDisposalRaceTest
{
};

TEST_P(DisposalRaceTest, CandidateSwappedForAFolderIsLeftAlone)
{
    AddFileRow("C:\\f.tmp");
    fs::remove(m_drive.HostPath("C:\\f.tmp"));
    m_drive.MakeFile("C:\\f.tmp\\inner.txt", "inner");

    Run();

    EXPECT_EQ("inner", m_drive.ReadFile("C:\\f.tmp\\inner.txt"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

TEST_P(DisposalRaceTest, CandidateRecreatedUnderTheSameNameIsLeftAlone)
{
    AddFileRow("C:\\f.tmp", true, "old");
    // Keep the old file alive so the new one cannot reuse its number.
    fs::rename(m_drive.HostPath("C:\\f.tmp"), m_drive.HostPath("C:\\f.held"));
    m_drive.MakeFile("C:\\f.tmp", "new");

    Run();

    EXPECT_EQ("new", m_drive.ReadFile("C:\\f.tmp"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

INSTANTIATE_TEST_SUITE_P(EveryDisposal, DisposalRaceTest,
                         ::testing::Values("purge", "folder", "trash"));
