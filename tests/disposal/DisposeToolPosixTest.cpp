// The tool against the freedesktop.org trash and the SQLite registry files,
// which exist only with the POSIX backend.
#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

class DisposeToolPosixTest : public ::testing::Test
{
protected:
    DisposeToolPosixTest()
    {
        m_drive.Build({"C:\\junk\\a.tmp", "C:\\junk\\b.bak", "C:\\junk\\keep.txt", "C:\\prog\\"});
    }

    SToolResult Dispose(const std::string& strArguments)
    {
        return RunTool("scrubix-dispose", strArguments, m_drive.HostPath("C:\\prog"));
    }

    CSandboxDrive m_drive;
};

TEST_F(DisposeToolPosixTest, MovesToAFolderAndToTheTrash)
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

TEST_F(DisposeToolPosixTest, NeverDisposesOfTheRegistryEvenWhenAFolderRuleListsIt)
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
