// Clearing read-only before a deletion: only the file the row named changes,
// a file with other names keeps its mode, and a mode changed for a deletion
// that then fails is put back.
#include "CImmutableFiles.h"
#include "DisposalRaceFixture.h"

namespace fs = std::filesystem;

namespace
{
fs::perms ModeOf(const fs::path& path)
{
    return fs::symlink_status(path).permissions() & fs::perms::mask;
}
} // namespace

class ReadOnlyClearingTest : public CDisposalRaceTest
{
protected:
    ReadOnlyClearingTest()
    {
        m_doc.Deletereadonly = 1;
        std::ofstream(Victim()) << "outside";
        fs::permissions(Victim(), fs::perms(0444));
    }

    // A read-only file outside every drive.
    fs::path Victim() const { return m_drive.Outside() / "victim.txt"; }

    CImmutableFiles m_immutable;
};

TEST_P(ReadOnlyClearingTest, CandidateHardLinkedToAnOutsideFileKeepsTheSharedMode)
{
    fs::create_hard_link(Victim(), m_drive.HostPath("C:\\ro.tmp"));
    AddRow("C:\\ro.tmp");

    Run();

    EXPECT_EQ(fs::perms(0444), ModeOf(Victim()));
    EXPECT_EQ("outside", ReadHost(Victim()));
    EXPECT_TRUE(m_drive.Exists("C:\\ro.tmp"));
    ExpectReportedAsFailure("C:\\ro.tmp");
}

TEST_P(ReadOnlyClearingTest, CandidateSwappedForAHardLinkJustBeforeTheChangeIsNotChanged)
{
    AddFileRow("C:\\ro.tmp", true, "inside");
    MakeReadOnly("C:\\ro.tmp");
    m_fileSystem.m_beforeSetAttributes = [this](const std::string& strPath)
    {
        if (strPath != "C:\\ro.tmp")
            return;
        // The reviewed file stays alive under another name.
        fs::rename(m_drive.HostPath("C:\\ro.tmp"), m_drive.HostPath("C:\\ro.held"));
        fs::create_hard_link(Victim(), m_drive.HostPath("C:\\ro.tmp"));
    };

    Run();

    EXPECT_EQ(fs::perms(0444), ModeOf(Victim()));
    EXPECT_EQ("outside", ReadHost(Victim()));
    EXPECT_TRUE(m_drive.Exists("C:\\ro.tmp"));
    EXPECT_EQ("inside", m_drive.ReadFile("C:\\ro.held"));
    EXPECT_TRUE(IsReadOnly("C:\\ro.held"));
    ExpectReportedAsFailure("C:\\ro.tmp");
}

TEST_P(ReadOnlyClearingTest, ModeIsPutBackWhenTheDeletionThenFails)
{
    AddFileRow("C:\\locked\\ro.tmp", true, "kept");
    MakeReadOnly("C:\\locked\\ro.tmp");
    // Names in the folder can be neither added nor removed; the file itself
    // can still change its mode.
    ASSERT_TRUE(m_immutable.Add(m_drive.HostPath("C:\\locked")));

    Run();

    EXPECT_EQ("kept", m_drive.ReadFile("C:\\locked\\ro.tmp"));
    EXPECT_TRUE(IsReadOnly("C:\\locked\\ro.tmp"));
    ExpectReportedAsFailure("C:\\locked\\ro.tmp");
}

INSTANTIATE_TEST_SUITE_P(PurgeAndMoveToAFolder, ReadOnlyClearingTest,
                         ::testing::Values("purge", "folder"));

class ReadOnlyDestinationTest : public CDisposalTest
{
protected:
    ReadOnlyDestinationTest()
    {
        m_doc.RecycleRadio = 1;
        m_doc.Overwrite = 1;
        m_doc.Deletereadonly = 1;
    }
    CImmutableFiles m_immutable;
};

TEST_F(ReadOnlyDestinationTest, DestinationModeIsPutBackWhenTheCopyThenFails)
{
    m_doc.MovePath = "C:\\Locked";
    m_drive.MakeFile("C:\\Locked\\f.tmp", "old");
    MakeReadOnly("C:\\Locked\\f.tmp");
    ASSERT_TRUE(m_immutable.Add(m_drive.HostPath("C:\\Locked")));
    AddFileRow("C:\\f.tmp", true, "new");

    Run();

    EXPECT_EQ("old", m_drive.ReadFile("C:\\Locked\\f.tmp"));
    EXPECT_TRUE(IsReadOnly("C:\\Locked\\f.tmp"));
    EXPECT_EQ("new", m_drive.ReadFile("C:\\f.tmp"));
}
