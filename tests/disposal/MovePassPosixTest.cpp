// Moves that need POSIX: an immutable source (chattr) and the layout of the
// freedesktop.org trash in the sandbox's home.
#include "CImmutableFiles.h"
#include "DisposalTestFixture.h"

namespace fs = std::filesystem;

class MovePassPosixTest : public CDisposalTest
{
protected:
    MovePassPosixTest()
    {
        m_doc.Move = 0;
        m_doc.RecycleRadio = 1;
    }

    void MakeImmutable(const std::string& strWindowsPath)
    {
        ASSERT_TRUE(m_immutable.Add(m_drive.HostPath(strWindowsPath)));
    }

    CImmutableFiles m_immutable;
};

TEST_F(MovePassPosixTest, SourceThatCannotBeDeletedLeavesTheCopyAndIsAnAnomaly)
{
    m_doc.Anomaly = 1;
    AddFileRow("C:\\locked\\f.tmp", true, "data");
    MakeImmutable("C:\\locked");

    Run();

    EXPECT_EQ("data", m_drive.ReadFile("C:\\Bak\\f.tmp"));
    EXPECT_EQ("data", m_drive.ReadFile("C:\\locked\\f.tmp"));
    EXPECT_EQ(ReportHead() +
                  "The following file(s) could not be Moved perfectly:\n\nC:\\locked\\f.tmp"
                  "\n\nNo Files were moved.",
              Report());
}

TEST_F(MovePassPosixTest, MoveToTrashPutsTheFileInTheHomeTrash)
{
    m_doc.RecycleRadio = 0;
    m_doc.Deletereadonly = 0;
    AddFileRow("C:\\t\\junk.tmp", true, "junk");
    MakeReadOnly("C:\\t\\junk.tmp"); // plays no part in a move to the trash

    Run();

    const fs::path trash = m_drive.HomeFolder() / ".local/share/Trash";
    EXPECT_FALSE(m_drive.Exists("C:\\t\\junk.tmp"));
    std::ifstream in(trash / "files/junk.tmp");
    std::string strContents;
    in >> strContents;
    EXPECT_EQ("junk", strContents);
    EXPECT_TRUE(fs::exists(trash / "info/junk.tmp.trashinfo"));
}
