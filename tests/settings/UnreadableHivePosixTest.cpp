// Hive files that exist and cannot be read, and an INI seed file too big to
// hold: the SQLite registry's files and fork() exist only with the POSIX
// backend.
#include "SettingsTestFixture.h"
#include "platform/posix/CSqliteRegistry.h"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr const char* SETTINGS = "Settings";
constexpr uid_t NOBODY = 65534;

using UnreadableHivePosixTest = SettingsTest;

// Runs body in a child process (as the user nobody when bAsNobody) and
// returns its exit code; 100 and up mean the child could not be set up.
template <typename TBody> int InChild(bool bAsNobody, TBody body)
{
    const pid_t pid = fork();
    if (pid == 0)
    {
        if (bAsNobody && (setgroups(0, nullptr) != 0 || setresgid(NOBODY, NOBODY, NOBODY) != 0 ||
                          setresuid(NOBODY, NOBODY, NOBODY) != 0))
            _exit(100);
        _exit(body());
    }
    int nStatus = 0;
    if (pid < 0 || waitpid(pid, &nStatus, 0) != pid)
        return 101;
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 102;
}

std::string HivePath(const CSandboxDrive& sandbox)
{
    return (sandbox.RegistryFolder() / "HKLM.db").string();
}

TEST_F(UnreadableHivePosixTest, AFolderInPlaceOfTheHiveIsUnreadableNotAbsent)
{
    fs::create_directories(HivePath(m_sandbox));
    auto pDoc = StartFrom("C:\\Tools"); // the program still starts
    EXPECT_TRUE(m_store.IsUnreadable());
    EXPECT_EQ(m_store.UnreadableHiveName(), HivePath(m_sandbox));
    EXPECT_EQ(pDoc->Lists[LIST_EXCLUDE].size(), 3u) << "reads fall back to their defaults";
    EXPECT_EQ(pDoc->WarnMe, 1);
    EXPECT_FALSE(m_store.SetInt(SETTINGS, "Zero", 1));
    pDoc->StoreMissingSettings();
    EXPECT_TRUE(fs::is_directory(HivePath(m_sandbox)));
    EXPECT_TRUE(fs::is_empty(HivePath(m_sandbox)));
}

TEST_F(UnreadableHivePosixTest, AnAbsentHiveIsNotUnreadable)
{
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_FALSE(m_store.IsUnreadable());
    EXPECT_EQ(m_store.UnreadableHiveName(), "");
    EXPECT_FALSE(m_registry.IsHiveUnreadable(ERegistryHive::CurrentUser));
}

TEST_F(UnreadableHivePosixTest, AHiveTheUserMayNotReadIsUnreadable)
{
    OpenSettingsStore(m_store, m_fileSystem);
    ASSERT_TRUE(m_store.SetString("Exclude", "Exclude0", "keep.me"));
    // The folders may be searched by anyone, the hive file read by root only;
    // a second folder holds no hive and may not be written by nobody.
    const fs::path empty = m_sandbox.Root() / "empty-registry";
    fs::create_directories(empty);
    for (const fs::path& folder : {m_sandbox.Root(), m_sandbox.RegistryFolder(), empty})
        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod(HivePath(m_sandbox).c_str(), 0600), 0);

    const int nLocked =
        InChild(true,
                [&]
                {
                    CSqliteRegistry registry(m_sandbox.RegistryFolder().string());
                    CSettingsStore store(registry);
                    OpenSettingsStore(store, m_fileSystem);
                    if (store.GetString("Exclude", "Exclude0", "dflt") != "dflt")
                        return 1;
                    if (!store.IsUnreadable())
                        return 2;
                    return store.UnreadableHiveName() == HivePath(m_sandbox) ? 0 : 3;
                });
    EXPECT_EQ(nLocked, 0);
    const int nAbsent = InChild(true,
                                [&]
                                {
                                    CSqliteRegistry registry(empty.string());
                                    CSettingsStore store(registry);
                                    OpenSettingsStore(store, m_fileSystem);
                                    store.GetString("Exclude", "Exclude0", "");
                                    return store.IsUnreadable() ? 1 : 0;
                                });
    EXPECT_EQ(nAbsent, 0) << "an absent hive that cannot be created holds nothing";
    EXPECT_EQ(m_store.GetString("Exclude", "Exclude0", ""), "keep.me");
}

TEST_F(UnreadableHivePosixTest, ACorruptHiveReplacedForThisRunCountsAsUnreadable)
{
    {
        std::ofstream out(HivePath(m_sandbox), std::ios::binary);
        out << "SQLite format 3" << std::string(4096, '\x5a');
    }
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_TRUE(m_store.IsUnreadable()) << "the settings it held were not read";
}

// A 1 GB seed file, all of it a hole but a line at each end: read in
// pieces, it never needs more than a little memory.
namespace
{
// Growth allowed for reading the 1 GiB file: far below holding it whole. The
// address sanitizer keeps freed pieces in its quarantine (256 MB by default),
// so its builds are allowed that much more.
#if defined(__SANITIZE_ADDRESS__)
constexpr long MAX_GROWTH_KB = 512 * 1024;
#else
constexpr long MAX_GROWTH_KB = 64 * 1024;
#endif
} // namespace

TEST_F(UnreadableHivePosixTest, AHugeIniIsImportedWithoutHoldingIt)
{
    const std::string strIni = m_fileSystem.GetWindowsFolder() + "\\Scrubix.INI";
    m_sandbox.MakeFile(strIni, "");
    const fs::path host = m_sandbox.HostPath(strIni);
    {
        std::ofstream out(host, std::ios::binary);
        out << "[Settings]\nZero=1\n";
    }
    constexpr uintmax_t HOLE_END = 1024ull * 1024 * 1024;
    fs::resize_file(host, HOLE_END);
    {
        std::ofstream out(host, std::ios::binary | std::ios::app);
        out << "\n[Exten]\nExten0=END\n";
    }
    const int nChild =
        InChild(false,
                [&]
                {
                    rusage before{};
                    getrusage(RUSAGE_SELF, &before);
                    CSettingsStore store(m_registry);
                    OpenSettingsStore(store, m_fileSystem);
                    rusage after{};
                    getrusage(RUSAGE_SELF, &after);
                    // ru_maxrss is in kilobytes.
                    return after.ru_maxrss - before.ru_maxrss < MAX_GROWTH_KB ? 0 : 1;
                });
    EXPECT_EQ(nChild, 0) << "the import grew the process by " << MAX_GROWTH_KB / 1024
                         << " MB or more";
    OpenSettingsStore(m_store, m_fileSystem);
    EXPECT_EQ(m_store.GetString(SETTINGS, "Zero", ""), "1");
    EXPECT_EQ(m_store.GetString("Exten", "Exten0", ""), "END");
}
} // namespace
