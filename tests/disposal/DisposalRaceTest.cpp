#include "DisposalTestFixture.h"

namespace fs = std::filesystem;

// Between the search and the disposal the tree changes under the rows. The
// disposal must act on the file each row named and on nothing else.
class DisposalRaceTest : public CDisposalTest, public ::testing::WithParamInterface<const char*>
{
protected:
    DisposalRaceTest()
    {
        m_doc.Anomaly = 1;
        const std::string strMode = GetParam();
        m_doc.Move = strMode == "purge" ? 1 : 0;
        m_doc.RecycleRadio = strMode == "folder" ? 1 : 0;
    }

    static std::string ReadHost(const fs::path& path)
    {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    void ExpectReportedAsFailure(const std::string& strPath)
    {
        const std::string strReport = Report();
        EXPECT_NE(std::string::npos, strReport.find(":\n\n" + strPath + "\n\nNo Files were"))
            << strReport;
    }

    void ExpectNothingDisposedAnywhere()
    {
        EXPECT_TRUE(fs::is_empty(m_drive.HostPath("C:\\Bak")));
        EXPECT_FALSE(fs::exists(m_drive.HomeFolder() / ".local/share/Trash/files/f.tmp"));
    }
};

TEST_P(DisposalRaceTest, ParentFolderSwappedForALinkToOutsideTouchesNothingOutside)
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

TEST_P(DisposalRaceTest, CandidateSwappedForALinkNeverReachesTheTarget)
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
    // Keep the old inode alive so the new file cannot reuse its number.
    fs::rename(m_drive.HostPath("C:\\f.tmp"), m_drive.HostPath("C:\\f.held"));
    m_drive.MakeFile("C:\\f.tmp", "new");

    Run();

    EXPECT_EQ("new", m_drive.ReadFile("C:\\f.tmp"));
    ExpectNothingDisposedAnywhere();
    ExpectReportedAsFailure("C:\\f.tmp");
}

INSTANTIATE_TEST_SUITE_P(EveryDisposal, DisposalRaceTest,
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
