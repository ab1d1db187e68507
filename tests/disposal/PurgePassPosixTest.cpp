// A purge of a file that cannot be deleted, made so with chattr (ext4).
#include "CImmutableFiles.h"
#include "DisposalTestFixture.h"

class PurgePassPosixTest : public CDisposalTest
{
protected:
    PurgePassPosixTest() { m_doc.Move = 1; }

    void MakeImmutable(const std::string& strWindowsPath)
    {
        ASSERT_TRUE(m_immutable.Add(m_drive.HostPath(strWindowsPath)));
    }

    CImmutableFiles m_immutable;
};

TEST_F(PurgePassPosixTest, FileThatCannotBeDeletedIsReportedAndItsRowRemoved)
{
    m_doc.Anomaly = 1;
    AddFileRow("C:\\a.tmp");
    AddFileRow("C:\\stuck.tmp");
    MakeImmutable("C:\\stuck.tmp");

    Run();

    EXPECT_TRUE(m_list.m_rows.empty());
    EXPECT_TRUE(m_drive.Exists("C:\\stuck.tmp"));
    EXPECT_EQ(ReportHead() +
                  "The following file(s) could not be deleted during Purge:\n\nC:\\stuck.tmp"
                  "\n\nThe following files were purged:\n\nC:\\a.tmp\n",
              Report());
}
