// Races that plant POSIX symbolic links under the rows.
#include "DisposalRaceFixture.h"

namespace fs = std::filesystem;

class DisposalLinkRaceTest : public CDisposalRaceTest
{
};

TEST_P(DisposalLinkRaceTest, ParentFolderSwappedForALinkToOutsideTouchesNothingOutside)
{
    AddFileRow("C:\\dir\\f.tmp", true, "inside");
    fs::rename(m_drive.HostPath("C:\\dir"), m_drive.HostPath("C:\\dir.old"));
    std::ofstream(m_drive.Outside() / "f.tmp") << "outside";
    fs::create_directory_symlink(m_drive.Outside(), m_drive.HostPath("C:\\dir"));

    Run();

    EXPECT_EQ("outside", ReadHost(m_drive.Outside() / "f.tmp"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\dir\\f.tmp");
}

TEST_P(DisposalLinkRaceTest, CandidateSwappedForALinkNeverReachesTheTarget)
{
    AddFileRow("C:\\f.tmp", true, "inside");
    fs::remove(m_drive.HostPath("C:\\f.tmp"));
    std::ofstream(m_drive.Outside() / "target.txt") << "outside";
    fs::create_symlink(m_drive.Outside() / "target.txt", m_drive.HostPath("C:\\f.tmp"));

    Run();

    EXPECT_EQ("outside", ReadHost(m_drive.Outside() / "target.txt"));
    EXPECT_TRUE(fs::is_symlink(m_drive.HostPath("C:\\f.tmp")));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

INSTANTIATE_TEST_SUITE_P(EveryDisposal, DisposalLinkRaceTest,
                         ::testing::Values("purge", "folder", "trash"));

class MoveDestinationRaceTest : public CDisposalTest
{
};

TEST_F(MoveDestinationRaceTest, LinkPlantedAtTheDestinationNameIsNotWrittenThrough)
{
    m_doc.RecycleRadio = 1;
    m_doc.Overwrite = 0;
    AddFileRow("C:\\f.tmp", true, "moved");
    std::ofstream(m_drive.Outside() / "victim.txt") << "victim";
    fs::create_symlink(m_drive.Outside() / "victim.txt", m_drive.HostPath("C:\\Bak\\f.tmp"));

    Run();

    std::ifstream in(m_drive.Outside() / "victim.txt");
    std::string strVictim;
    in >> strVictim;
    EXPECT_EQ("victim", strVictim);
    EXPECT_EQ("moved", m_drive.ReadFile("C:\\f.tmp"));
}
