#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

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

TEST_F(DisposeToolTest, MovesToAFolderAndToTheTrash)
{
    m_drive.MakeFolder("C:\\dest\\");
    SToolResult result = Dispose("--move-to-folder 'C:\\dest' C:");
    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\dest\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_NE(std::string::npos, result.strOutput.find("C:\\junk\\b.bak\n")) << result.strOutput;

    result = Dispose("--move-to-trash --quiet C:");
    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_FALSE(m_drive.Exists("C:\\dest\\a.tmp"));
    EXPECT_TRUE(fs::exists(m_drive.HomeFolder() / ".local/share/Trash/files/a.tmp"));
}

TEST_F(DisposeToolTest, NeverDisposesOfTheRegistryEvenWhenAFolderRuleListsIt)
{
    setenv("SCRUBIX_REGISTRY_DIR", m_drive.HostPath("C:\\reg").c_str(), 1);
    {
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        store.SetString("Folder", "Folder0", "C:\\reg");
    }
    ASSERT_TRUE(m_drive.Exists("C:\\reg\\HKLM.db"));

    const SToolResult result = Dispose("--purge --report --quiet C:");

    ASSERT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\reg\\HKLM.db"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    const std::string strReport = m_drive.ReadFile("C:\\prog\\anomaly.txt");
    EXPECT_NE(std::string::npos, strReport.find("during Purge:\n\nC:\\reg\\HKLM.db")) << strReport;
}

TEST_F(DisposeToolTest, RefusesAnUnclearCommandLine)
{
    EXPECT_EQ(2, Dispose("C:").nExitCode);
    EXPECT_EQ(2, Dispose("--purge --move-to-trash C:").nExitCode);
    EXPECT_EQ(2, Dispose("--purge").nExitCode);
}
