// Links as Wine shows them: a Unix symbolic link made inside the drive
// folder lists as a directory reparse point (0x410).
#include "Win32TestFixture.h"
#include "WineHost.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class Win32LinkTest : public Win32Test
{
protected:
    void SetUp() override
    {
        if (!IsRunningUnderWine())
            GTEST_SKIP() << "links are made through Wine's Unix side";
        m_sandbox.MakeFile("C:\\Real\\inside.tmp", "target");
        ASSERT_TRUE(
            MakeUnixSymlink(m_sandbox.HostPath("C:\\Real"), m_sandbox.HostPath("C:\\Link")));
        ASSERT_TRUE(MakeUnixSymlink(m_sandbox.HostPath("C:\\Real\\inside.tmp"),
                                    m_sandbox.HostPath("C:\\file-link.tmp")));
    }
};

TEST_F(Win32LinkTest, LinkToAFolderIsNotReportedAsAFolder)
{
    auto entries = List("C:");
    ASSERT_EQ(entries.count("Link"), 1u);
    EXPECT_FALSE(entries["Link"].IsDirectory());
    EXPECT_NE(entries["Link"].nAttributes & FILE_ATTR_REPARSE_POINT, 0u);
    EXPECT_TRUE(entries["Real"].IsDirectory());

    uint32_t nAttributes = 0;
    ASSERT_TRUE(FileSystem().GetAttributes("C:\\Link", nAttributes));
    EXPECT_EQ(nAttributes & FILE_ATTR_DIRECTORY, 0u);
    EXPECT_FALSE(FileSystem().IsFolderAccessible("C:\\Link"));
}

TEST_F(Win32LinkTest, NothingIsDeletedThroughALinkedFolder)
{
    EXPECT_FALSE(FileSystem().RemoveFile("C:\\Link\\inside.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\Real\\inside.tmp"));
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity identity;
    EXPECT_FALSE(FileSystem().OpenForSize("C:\\Link\\inside.tmp", nHigh, nLow, identity));
    EXPECT_FALSE(FileSystem().CopyFileTo("C:\\Link\\inside.tmp", "C:\\copy.tmp", true, {}));
}

TEST_F(Win32LinkTest, DeletingALinkNeverReachesItsTarget)
{
    // Windows deletes the link itself. Wine opens the target of a Unix link
    // even when asked not to, so there the delete must be refused.
    const bool bRemoved = FileSystem().RemoveFile("C:\\file-link.tmp", {});
    EXPECT_EQ(bRemoved, !m_sandbox.Exists("C:\\file-link.tmp"));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Real\\inside.tmp"), "target");

    const bool bFolderLinkRemoved = FileSystem().RemoveFile("C:\\Link", {});
    EXPECT_EQ(bFolderLinkRemoved, !m_sandbox.Exists("C:\\Link"));
    EXPECT_TRUE(m_sandbox.Exists("C:\\Real\\inside.tmp"));
}

TEST_F(Win32LinkTest, TextFileIsNotWrittenThroughALinkAtItsName)
{
    EXPECT_EQ(FileSystem().CreateTextFile("C:\\file-link.tmp"), nullptr);
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Real\\inside.tmp"), "target");
}
