// The settings databases are files on a drive like any other on Linux: a
// purge must leave them, however the registry folder is named.
#include "DisposalTestFixture.h"
#include "platform/ProgramFiles.h"
#include "settings/StartUp.h"
#include "support/CurrentFolderGuard.h"
#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
// How SCRUBIX_REGISTRY_DIR names the folder C:\settings\reg. The relative
// forms are taken against C:\prog, the folder the program runs in.
struct SNaming
{
    const char* pszWhat;
    std::function<std::string(const CSandboxDrive&)> makeName;
};

const SNaming NAMINGS[] = {
    {"a link outside the drive",
     [](const CSandboxDrive& drive)
     {
         fs::create_directory_symlink(drive.HostPath("C:\\settings\\reg"),
                                      drive.Root() / "reglink");
         return (drive.Root() / "reglink").string();
     }},
    {"a link on the drive",
     [](const CSandboxDrive& drive)
     {
         fs::create_directory_symlink(drive.HostPath("C:\\settings\\reg"),
                                      drive.HostPath("C:\\shortcut"));
         return drive.HostPath("C:\\shortcut").string();
     }},
    {"a relative path", [](const CSandboxDrive&) { return std::string("../settings/reg"); }},
    {"a relative path through a link on the drive",
     [](const CSandboxDrive& drive)
     {
         fs::create_directory_symlink("settings/reg", drive.HostPath("C:\\shortcut"));
         return std::string("./../shortcut");
     }},
};

// The failed and the disposed paths of a purge's anomaly report.
struct SReportLists
{
    std::set<std::string> failed;
    std::set<std::string> purged;
};

SReportLists ReadReportLists(const std::string& strReport)
{
    SReportLists lists;
    const std::string strFailedHead = "could not be deleted during Purge:\n";
    const std::string strPurgedHead = "\n\nThe following files were purged:\n\n";
    const size_t nFailed = strReport.find(strFailedHead);
    const size_t nPurged = strReport.find(strPurgedHead);
    auto addLines = [](const std::string& strText, std::set<std::string>& lines)
    {
        size_t nStart = 0;
        while (nStart < strText.size())
        {
            size_t nEnd = strText.find('\n', nStart);
            if (nEnd == std::string::npos)
                nEnd = strText.size();
            if (nEnd > nStart)
                lines.insert(strText.substr(nStart, nEnd - nStart));
            nStart = nEnd + 1;
        }
    };
    if (nFailed != std::string::npos)
    {
        const size_t nStart = nFailed + strFailedHead.size();
        const size_t nEnd = std::min(nPurged, strReport.find("\n\nNo Files were purged.", nStart));
        addLines(strReport.substr(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart),
                 lists.failed);
    }
    if (nPurged != std::string::npos)
        addLines(strReport.substr(nPurged + strPurgedHead.size()), lists.purged);
    return lists;
}

ino_t InodeOf(const fs::path& path)
{
    struct stat status
    {
    };
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// A sandbox whose registry folder C:\settings\reg holds both hives, with
// "DB" as the only extension rule.
class CRegistryOnTheDrive
{
public:
    CRegistryOnTheDrive()
    {
        m_drive.Build({"C:\\prog\\", "C:\\settings\\reg\\", "C:\\junk\\a.db"});
        setenv("SCRUBIX_REGISTRY_DIR", Folder().c_str(), 1); // the sandbox restores it
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        EXPECT_TRUE(store.SetString("Exten", "Exten0", "DB"));
        EXPECT_TRUE(store.SetString("Exten", "Exten1", "DB-JOURNAL"));
        EXPECT_TRUE(platform.pRegistry->SetValue(ERegistryHive::CurrentUser, "Software\\Scrubix",
                                                 {"User", REG_TYPE_SZ, {"kept\0", 5}}));
    }

    fs::path Folder() const { return m_drive.HostPath("C:\\settings\\reg"); }
    // Reads the extension rule back through the absolute name.
    std::string StoredExtension()
    {
        setenv("SCRUBIX_REGISTRY_DIR", Folder().c_str(), 1);
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        return store.GetString("Exten", "Exten0", "");
    }

    CSandboxDrive m_drive;
};

// Through the whole tool: the search lists the databases by the extension
// rule, and the purge keeps them and a second name of one of them, each
// reported as not deleted.
TEST(ProgramFilesProtectionPosixTest, APurgeKeepsTheDatabasesHoweverTheirFolderIsNamed)
{
    for (const SNaming& naming : NAMINGS)
    {
        CRegistryOnTheDrive registry;
        CSandboxDrive& drive = registry.m_drive;
        const fs::path machine = registry.Folder() / "HKLM.db";
        const fs::path user = registry.Folder() / "HKCU.db";
        ASSERT_TRUE(fs::is_regular_file(machine) && fs::is_regular_file(user)) << naming.pszWhat;
        drive.MakeFolder("C:\\copies\\");
        fs::create_hard_link(machine, drive.HostPath("C:\\copies\\hive.db"));
        const ino_t nMachine = InodeOf(machine);
        const ino_t nUser = InodeOf(user);

        setenv("SCRUBIX_REGISTRY_DIR", naming.makeName(drive).c_str(), 1);
        const SToolResult result =
            RunTool("scrubix-dispose", "--purge --report --quiet C:", drive.HostPath("C:\\prog"));
        ASSERT_EQ(result.nExitCode, 0) << naming.pszWhat << ": " << result.strOutput;

        EXPECT_EQ(InodeOf(machine), nMachine) << naming.pszWhat;
        EXPECT_EQ(InodeOf(user), nUser) << naming.pszWhat;
        EXPECT_TRUE(drive.Exists("C:\\copies\\hive.db")) << naming.pszWhat;
        EXPECT_FALSE(drive.Exists("C:\\junk\\a.db")) << naming.pszWhat;
        const SReportLists lists = ReadReportLists(drive.ReadFile("C:\\prog\\anomaly.txt"));
        EXPECT_EQ(lists.failed,
                  (std::set<std::string>{"C:\\settings\\reg\\HKLM.db", "C:\\settings\\reg\\HKCU.db",
                                         "C:\\copies\\hive.db"}))
            << naming.pszWhat;
        EXPECT_EQ(lists.purged, std::set<std::string>{"C:\\junk\\a.db"}) << naming.pszWhat;
        EXPECT_EQ(registry.StoredExtension(), "DB") << naming.pszWhat;
    }
}

// A journal that appears after the list was taken (another process writing
// the settings meanwhile) has no listed identity: only the database's path,
// resolved as the system resolves it, keeps it.
TEST(ProgramFilesProtectionPosixTest, AJournalMadeAfterTheListIsKeptByTheResolvedPath)
{
    for (const SNaming& naming : NAMINGS)
    {
        CRegistryOnTheDrive registry;
        CSandboxDrive& drive = registry.m_drive;
        setenv("SCRUBIX_REGISTRY_DIR", naming.makeName(drive).c_str(), 1);
        SProgramFiles programFiles;
        {
            const CCurrentFolderGuard current(drive.HostPath("C:\\prog"));
            programFiles = ListProgramFiles();
        }
        drive.MakeFile("C:\\settings\\reg\\HKLM.db-journal", "journal");

        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.Move = 1;
        doc.Anomaly = 1;
        doc.WarnMe = 0;
        doc.Path = "C:\\prog";
        CQueuePort port;
        CRowList list;
        CScriptedPrompt prompt;
        CTestClock clock(*platform.pClock);
        CRecordingShell shell(*platform.pShell);
        CLaunchMode launchMode;
        for (const char* pszPath : {"C:\\settings\\reg\\HKLM.db-journal", "C:\\junk\\a.db"})
        {
            SCandidateRow row;
            row.strPath = pszPath;
            row.bChecked = true;
            uint32_t nHigh = 0;
            uint32_t nLow = 0;
            ASSERT_TRUE(platform.pFileSystem->OpenForSize(pszPath, nHigh, nLow, row.identity));
            list.m_rows.push_back(row);
        }
        CDisposal disposal(SDisposalServices{*platform.pFileSystem, shell, clock, port, prompt,
                                             list, store, launchMode});
        disposal.SetProtectedFiles(programFiles);
        ASSERT_TRUE(disposal.Start(doc));
        while (port.Take().first != WM_DISPOSE_DONE)
            disposal.Acknowledge();
        disposal.Join();

        EXPECT_EQ(drive.ReadFile("C:\\settings\\reg\\HKLM.db-journal"), "journal")
            << naming.pszWhat;
        EXPECT_FALSE(drive.Exists("C:\\junk\\a.db")) << naming.pszWhat;
        const SReportLists lists = ReadReportLists(drive.ReadFile("C:\\prog\\anomaly.txt"));
        EXPECT_EQ(lists.failed, std::set<std::string>{"C:\\settings\\reg\\HKLM.db-journal"})
            << naming.pszWhat;
        // Not a journal SQLite wrote: gone before anything opens the hive again.
        fs::remove(registry.Folder() / "HKLM.db-journal");
    }
}
} // namespace
