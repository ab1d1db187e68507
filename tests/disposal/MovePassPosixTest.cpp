// Moves that need POSIX: an immutable source (chattr), a move killed in the
// middle of its copy, what the copy keeps of the file, and the layout of the
// freedesktop.org trash in the sandbox's home.
#include "CImmutableFiles.h"
#include "DisposalTestFixture.h"
#include "platform/CopyTemporaryName.h"
#include "support/PosixFileMetadata.h"
#include "support/PosixKilledChild.h"

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

TEST_F(MovePassPosixTest, AMoveKilledMidCopyLeavesNoPartFileAndTheNextPassMovesIt)
{
    constexpr uint64_t MEGABYTE = 1024 * 1024;
    const std::string strBig(10 * MEGABYTE, 'b');
    AddFileRow("C:\\src\\big.tmp", true, strBig);
    const SFileIdentity identity = m_list.m_rows[0].identity;

    // The pass's own snapshot of the settings, as Start would take it.
    m_disposal.m_strMovePath = m_doc.MovePath;
    m_disposal.m_bOverwrite = 0;
    const int nSignal =
        RunKilledPastSize(MEGABYTE, [&] { m_disposal.MoveToFolder("C:\\src\\big.tmp", identity); });
    ASSERT_EQ(nSignal, SIGXFSZ) << "the move was not cut short";
    EXPECT_FALSE(m_drive.Exists("C:\\Bak\\big.tmp"));
    EXPECT_TRUE(m_drive.ReadFile("C:\\src\\big.tmp") == strBig); // not printed: 10 MB

    // What another killed copy left goes as well.
    std::ofstream(m_drive.HostPath("C:\\Bak\\" + CopyTemporaryName(EndedProcessId(), 7)));

    Run();

    EXPECT_TRUE(m_drive.ReadFile("C:\\Bak\\big.tmp") == strBig);
    EXPECT_FALSE(m_drive.Exists("C:\\src\\big.tmp"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_drive.HostPath("C:\\Bak")))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"big.tmp"});
}

TEST_F(MovePassPosixTest, AMoveToAFolderKeepsTimesPermissionsOwnerAndAttributes)
{
    m_drive.MakeFile("C:\\t\\old.doc", "contents");
    const fs::path source = m_drive.HostPath("C:\\t\\old.doc");
    const bool bAttributes = SetUserAttribute(source, "user.scrubix.test", "kept");
    ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
    const bool bGiven = ::chown(source.c_str(), 65534, 65534) == 0;
    ASSERT_TRUE(SetOldTimes(source));
    const SPosixFileMetadata before = ReadFileMetadata(source);
    AddRow("C:\\t\\old.doc");

    Run();

    ASSERT_FALSE(m_drive.Exists("C:\\t\\old.doc"));
    const fs::path moved = m_drive.HostPath("C:\\Bak\\old.doc");
    const SPosixFileMetadata after = ReadFileMetadata(moved);
    EXPECT_EQ("contents", m_drive.ReadFile("C:\\Bak\\old.doc"));
    EXPECT_TRUE(IsOldModificationTime(after.modified));
    EXPECT_TRUE(after.accessed == before.accessed);
    EXPECT_EQ(after.nMode, 0640u);
    EXPECT_EQ(after.nOwner, before.nOwner);
    EXPECT_EQ(after.nGroup, before.nGroup);
    if (bGiven)
    {
        EXPECT_EQ(after.nGroup, 65534u);
    }
    if (!bAttributes)
        GTEST_SKIP() << "the sandbox's file system refuses user extended attributes";
    EXPECT_EQ(ReadUserAttribute(moved, "user.scrubix.test"), "kept");
}
