// Putting a moved file back on Windows: the no-replace move through the
// checked file's handle, and the records kept in the user's hive.
#include "Win32TestFixture.h"
#include "WineHost.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class Win32MoveBackTest : public Win32Test
{
};

TEST_F(Win32MoveBackTest, MovesTheIdentifiedFileAndNeverReplacesOne)
{
    m_sandbox.MakeFile("C:\\Moved\\a.tmp", "moved");
    m_sandbox.MakeFile("C:\\Moved\\b.tmp", "moved b");
    m_sandbox.MakeFile("C:\\work\\b.tmp", "made since");
    m_sandbox.MakeFolder("C:\\work\\");
    const SFileIdentity a = IdentityOf("C:\\Moved\\a.tmp");
    const SFileIdentity b = IdentityOf("C:\\Moved\\b.tmp");

    EXPECT_EQ(EPutBack::Moved,
              FileSystem().MoveNoReplace("C:\\Moved\\a.tmp", "C:\\work\\a.tmp", a));
    EXPECT_EQ("moved", m_sandbox.ReadFile("C:\\work\\a.tmp"));
    EXPECT_FALSE(m_sandbox.Exists("C:\\Moved\\a.tmp"));

    EXPECT_EQ(EPutBack::Taken,
              FileSystem().MoveNoReplace("C:\\Moved\\b.tmp", "C:\\work\\b.tmp", b));
    EXPECT_EQ("made since", m_sandbox.ReadFile("C:\\work\\b.tmp"));
    EXPECT_EQ("moved b", m_sandbox.ReadFile("C:\\Moved\\b.tmp"));

    EXPECT_EQ(EPutBack::Gone, FileSystem().MoveNoReplace("C:\\Moved\\a.tmp", "C:\\work\\c.tmp", a));
}

TEST_F(Win32MoveBackTest, RefusesAFileWrittenToSince)
{
    m_sandbox.MakeFile("C:\\Moved\\a.tmp", "moved");
    m_sandbox.MakeFolder("C:\\work\\");
    const SFileIdentity seen = IdentityOf("C:\\Moved\\a.tmp");
    std::ofstream(m_sandbox.HostPath("C:\\Moved\\a.tmp"), std::ios::app) << "more";

    EXPECT_EQ(EPutBack::Changed,
              FileSystem().MoveNoReplace("C:\\Moved\\a.tmp", "C:\\work\\a.tmp", seen));
    EXPECT_FALSE(m_sandbox.Exists("C:\\work\\a.tmp"));
}

TEST_F(Win32MoveBackTest, NeverMovesIntoALinkedFolder)
{
    if (!IsRunningUnderWine())
        GTEST_SKIP() << "links are made through Wine's Unix side";
    m_sandbox.MakeFile("C:\\Moved\\a.tmp", "moved");
    m_sandbox.MakeFolder("C:\\Elsewhere\\");
    ASSERT_TRUE(
        MakeUnixSymlink(m_sandbox.HostPath("C:\\Elsewhere"), m_sandbox.HostPath("C:\\work")));
    const SFileIdentity seen = IdentityOf("C:\\Moved\\a.tmp");

    EXPECT_EQ(EPutBack::Failed,
              FileSystem().MoveNoReplace("C:\\Moved\\a.tmp", "C:\\work\\a.tmp", seen));
    EXPECT_FALSE(m_sandbox.Exists("C:\\Elsewhere\\a.tmp"));
    EXPECT_TRUE(m_sandbox.Exists("C:\\Moved\\a.tmp"));
}

TEST_F(Win32MoveBackTest, RecordsAreReadReplacedAndRemovedWhole)
{
    std::string strText;
    EXPECT_FALSE(Registry().ReadRecord("LastMove", strText));
    const std::string strRecord("line one\nline\ttwo\n\0binary", 26);
    ASSERT_TRUE(Registry().ReplaceRecord("LastMove", strRecord));
    ASSERT_TRUE(Registry().ReadRecord("LastMove", strText));
    EXPECT_EQ(strRecord, strText);
    ASSERT_TRUE(Registry().ReplaceRecord("LastMove", "short"));
    ASSERT_TRUE(Registry().ReadRecord("LastMove", strText));
    EXPECT_EQ("short", strText);
    EXPECT_TRUE(Registry().RemoveRecord("LastMove"));
    EXPECT_FALSE(Registry().ReadRecord("LastMove", strText));
    EXPECT_TRUE(Registry().RemoveRecord("LastMove")); // gone already
}
