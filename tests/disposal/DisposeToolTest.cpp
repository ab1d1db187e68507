#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

class DisposeToolTest : public ::testing::Test
{
protected:
    DisposeToolTest()
    {
        m_drive.Build({"C:\\junk\\a.tmp", "C:\\junk\\b.bak", "C:\\junk\\keep.txt", "C:\\prog\\"});
    }

    SToolResult Dispose(const std::string& strArguments)
    {
        return RunTool("scrubix-dispose", strArguments, m_drive.HostPath("C:\\prog"));
    }

    CSandboxDrive m_drive;
};

TEST_F(DisposeToolTest, PurgesEveryCandidateAndKeepsTheRest)
{
    const SToolResult result = Dispose("--purge --report --quiet C:");
    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\b.bak"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\keep.txt"));
    EXPECT_NE(std::string::npos, result.strOutput.find("Purge pass over 2 checked candidate(s)"))
        << result.strOutput;
    const std::string strReport = m_drive.ReadFile("C:\\prog\\anomaly.txt");
    EXPECT_NE(std::string::npos, strReport.find("No anomalies to report."));
}

TEST_F(DisposeToolTest, MovesToAFolder)
{
    m_drive.MakeFolder("C:\\dest\\");
    const SToolResult result = Dispose("--move-to-folder " + ShellQuote("C:\\dest") + " C:");
    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\dest\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\dest\\b.bak"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\keep.txt"));
    EXPECT_NE(std::string::npos, result.strOutput.find(TextModeLines("C:\\junk\\b.bak\n")))
        << result.strOutput;
}

TEST_F(DisposeToolTest, MovesToTheTrashOrLeavesTheFileReported)
{
    const SToolResult result = Dispose("--move-to-trash --report --quiet C:");
    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    const std::string strReport = m_drive.ReadFile("C:\\prog\\anomaly.txt");
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\keep.txt"));
    const bool bLeftInPlace = m_drive.Exists("C:\\junk\\a.tmp");
    // Wine's Recycle Bin takes files only when the Unix user's trash folder
    // exists; otherwise they stay, and must stay whole and be reported.
    if (!RunsUnderWine())
    {
        EXPECT_FALSE(bLeftInPlace);
    }
    if (bLeftInPlace)
    {
        EXPECT_EQ("x", m_drive.ReadFile("C:\\junk\\a.tmp"));
        EXPECT_NE(std::string::npos, strReport.find("could not be Moved perfectly")) << strReport;
        EXPECT_NE(std::string::npos, strReport.find("C:\\junk\\a.tmp")) << strReport;
    }
    else
    {
        EXPECT_NE(std::string::npos, strReport.find("No anomalies to report.")) << strReport;
    }
}

TEST_F(DisposeToolTest, RefusesAnUnclearCommandLine)
{
    EXPECT_EQ(2, Dispose("C:").nExitCode);
    EXPECT_EQ(2, Dispose("--purge --move-to-trash C:").nExitCode);
    EXPECT_EQ(2, Dispose("--purge").nExitCode);
    EXPECT_EQ(2, Dispose("--move-to-folder C:").nExitCode);
}

TEST_F(DisposeToolTest, EmptyMoveFolderIsRefusedRatherThanTheStoredOneUsed)
{
    const SToolResult result = Dispose("--move-to-folder " + ShellQuote("") + " C:");

    EXPECT_EQ(2, result.nExitCode) << result.strOutput;
    EXPECT_NE(std::string::npos, result.strOutput.find("--move-to-folder needs a folder"))
        << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\prog\\Bak\\a.tmp"));
}
