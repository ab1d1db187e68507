// A link planted at the report's name, made with a POSIX symbolic link.
#include "DisposalTestFixture.h"

namespace fs = std::filesystem;

class AnomalyReportPosixTest : public CDisposalTest
{
protected:
    AnomalyReportPosixTest()
    {
        m_doc.Anomaly = 1;
        m_doc.RecycleRadio = 1;
    }
};

TEST_F(AnomalyReportPosixTest, PlantedLinkAtTheReportNameIsNotFollowed)
{
    const fs::path victim = m_drive.Outside() / "precious.txt";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, m_drive.HostPath("C:\\Prog\\anomaly.txt"));
    m_doc.Move = 1;
    AddFileRow("C:\\a.tmp");

    Run();

    std::ifstream in(victim);
    std::string strVictim((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("keep me", strVictim);
    EXPECT_FALSE(m_drive.Exists("C:\\a.tmp")); // the pass itself went on
}
