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

// However the registry folder is named, its databases are the program's own
// files: a link from outside the drive, a link on the drive, a path relative
// to the folder the tool runs in.
TEST_F(DisposeToolPosixTest, NeverDisposesOfTheRegistryHoweverItsFolderIsNamed)
{
    m_drive.MakeFolder("C:\\reg\\");
    fs::create_directories(m_drive.Outside());
    fs::create_directory_symlink(m_drive.HostPath("C:\\reg"), m_drive.Outside() / "reg-link");
    m_drive.MakeLink("C:\\reg-link", m_drive.HostPath("C:\\reg"));
    struct SCase
    {
        const char* pName;
        std::string strRegistryDir;
    };
    const SCase cases[] = {
        {"link from outside the drive", (m_drive.Outside() / "reg-link").string()},
        {"link on the drive", m_drive.HostPath("C:\\reg-link").string()},
        {"relative", "../reg"},
    };
    for (const SCase& c : cases)
    {
        m_drive.Build({"C:\\junk\\a.tmp"});
        setenv("SCRUBIX_REGISTRY_DIR", m_drive.HostPath("C:\\reg").c_str(), 1);
        {
            SPlatform platform = CreatePlatform();
            CSettingsStore store(*platform.pRegistry);
            OpenSettingsStore(store, *platform.pFileSystem);
            store.SetString("Folder", "Folder0", "C:\\reg");
        }
        ASSERT_TRUE(m_drive.Exists("C:\\reg\\HKLM.db")) << c.pName;
        setenv("SCRUBIX_REGISTRY_DIR", c.strRegistryDir.c_str(), 1);

        const SToolResult result = Dispose("--purge --quiet C:");

        EXPECT_EQ(0, result.nExitCode) << c.pName << "\n" << result.strOutput;
        EXPECT_TRUE(m_drive.Exists("C:\\reg\\HKLM.db")) << c.pName;
        EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp")) << c.pName;
    }
}

TEST_F(DisposeToolPosixTest, TouchesNothingWhileAnotherPassOverTheSameSettingsRuns)
{
    const SPlatform window = CreatePlatform(); // the window, mid-pass
    const auto pPass = window.pRegistry->TryLock(ERegistryHive::LocalMachine, "Dispose");
    ASSERT_NE(nullptr, pPass);

    const SToolResult result = Dispose("--purge --quiet C:");

    EXPECT_EQ(1, result.nExitCode) << result.strOutput;
    EXPECT_NE(std::string::npos, result.strOutput.find("Another copy of Scrubix is purging"))
        << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\b.bak"));
}

TEST_F(DisposeToolPosixTest, ReportThatCannotBeWrittenFailsTheRunAndIsNotAnnounced)
{
    // The report's folder lies on a disk that takes no new file (immutable
    // even for root), after the first start has settled it there.
    ASSERT_EQ(0, Dispose("--purge --no-report --quiet C:").nExitCode);
    m_drive.MakeFile("C:\\junk\\c.tmp");
    const std::string strProg = m_drive.HostPath("C:\\prog").string();
    if (std::system(("chattr +i '" + strProg + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "the sandbox's file system has no immutable flag";

    const SToolResult result = Dispose("--purge --report --quiet C:");
    std::system(("chattr -i '" + strProg + "'").c_str());

    EXPECT_EQ(1, result.nExitCode) << result.strOutput;
    EXPECT_EQ(std::string::npos, result.strOutput.find("Report: ")) << result.strOutput;
    EXPECT_NE(std::string::npos, result.strOutput.find("could not be written")) << result.strOutput;
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\c.tmp"));
}

TEST_F(DisposeToolPosixTest, UndoesTheLastMove)
{
    m_drive.MakeFolder("C:\\dest\\");
    ASSERT_EQ(0, Dispose("--move-to-folder 'C:\\dest' --quiet C:").nExitCode);
    ASSERT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));

    SToolResult result = Dispose("--undo-last-move");
    EXPECT_EQ(0, result.nExitCode) << result.strOutput;
    EXPECT_EQ("2 files were put back where they were.\n", result.strOutput);
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\b.bak"));
    EXPECT_FALSE(m_drive.Exists("C:\\dest\\a.tmp"));

    result = Dispose("--undo-last-move");
    EXPECT_EQ(0, result.nExitCode);
    EXPECT_EQ("There is no move to undo.\n", result.strOutput);

    // From the trash, with one original path taken since: that file stays.
    ASSERT_EQ(0, Dispose("--move-to-trash --quiet C:").nExitCode);
    m_drive.MakeFile("C:\\junk\\b.bak", "new");
    result = Dispose("--undo-last-move");
    EXPECT_EQ(1, result.nExitCode);
    EXPECT_NE(std::string::npos, result.strOutput.find("1 file was put back where it was."))
        << result.strOutput;
    EXPECT_NE(std::string::npos,
              result.strOutput.find("C:\\junk\\b.bak: its original path is taken now"))
        << result.strOutput;
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_EQ("new", m_drive.ReadFile("C:\\junk\\b.bak"));
    EXPECT_TRUE(fs::exists(m_drive.HomeFolder() / ".local/share/Trash/files/b.bak"));

    fs::remove(m_drive.HostPath("C:\\junk\\b.bak"));
    ASSERT_EQ(0, Dispose("--purge --quiet C:").nExitCode);
    result = Dispose("--undo-last-move");
    EXPECT_EQ(1, result.nExitCode);
    EXPECT_NE(std::string::npos, result.strOutput.find("A purge cannot be undone."))
        << result.strOutput;

    EXPECT_EQ(2, Dispose("--undo-last-move C:").nExitCode);
}
