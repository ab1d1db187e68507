#include "platform/posix/PosixTrash.h"

#include "platform/IFileSystem.h"
#include "platform/Platform.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CPosixShell.h"
#include "platform/posix/PosixTrashRecords.h"
#include "support/CSandboxDrive.h"
#include "support/PosixFileMetadata.h"
#include "support/PosixKilledChild.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <regex>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::string ReadHost(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

SFileIdentity IdentityOf(const fs::path& path)
{
    struct stat status
    {
    };
    SFileIdentity identity;
    if (::lstat(path.c_str(), &status) == 0)
        identity = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
                    true};
    return identity;
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
} // namespace

class PosixTrashTest : public ::testing::Test
{
protected:
    PosixTrashTest() : m_shell(CDriveMap::FromEnvironment()) {}

    fs::path Trash() const { return m_drive.HomeFolder() / ".local/share/Trash"; }

    bool TrashFile(const std::string& strPath)
    {
        return m_shell.MoveToTrash(strPath, IdentityOf(m_drive.HostPath(strPath)));
    }

    CSandboxDrive m_drive;
    CPosixShell m_shell;
};

TEST_F(PosixTrashTest, FileLandsInTheHomeTrashWithItsInfo)
{
    const std::string strPath = "C:\\my docs\\r\xC3\xA9sum\xC3\xA9 50%.txt";
    m_drive.MakeFile(strPath, "cv");
    const std::time_t before = std::time(nullptr);

    ASSERT_TRUE(TrashFile(strPath));

    EXPECT_FALSE(m_drive.Exists(strPath));
    const std::string strName = "r\xC3\xA9sum\xC3\xA9 50%.txt";
    EXPECT_EQ("cv", ReadHost(Trash() / "files" / strName));
    const std::string strInfo = ReadHost(Trash() / "info" / (strName + ".trashinfo"));
    const std::string strEncodedFolder =
        CPosixTrash::EncodeTrashPath(m_drive.DriveFolder().string());
    EXPECT_EQ("[Trash Info]\nPath=" + strEncodedFolder +
                  "/my%20docs/r%C3%A9sum%C3%A9%2050%25.txt\nDeletionDate=" +
                  CPosixTrash::FormatDeletionDate(before) + "\n",
              strInfo.substr(0, strInfo.find("DeletionDate=")) +
                  "DeletionDate=" + CPosixTrash::FormatDeletionDate(before) + "\n");
    EXPECT_TRUE(std::regex_search(
        strInfo, std::regex("\nDeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}"
                            "\nX-Scrubix-Process=" +
                            std::to_string(::getpid()) + "\n$")))
        << strInfo;
    EXPECT_EQ(0700u, static_cast<unsigned>(fs::status(Trash()).permissions() & fs::perms::all));
}

TEST_F(PosixTrashTest, TheFileKeepsItsTimesAndAttributes)
{
    m_drive.MakeFile("C:\\kept.txt", "kept");
    const fs::path source = m_drive.HostPath("C:\\kept.txt");
    const bool bAttributes = SetUserAttribute(source, "user.scrubix.test", "still here");
    ASSERT_TRUE(SetOldTimes(source));

    ASSERT_TRUE(TrashFile("C:\\kept.txt"));

    const fs::path trashed = Trash() / "files/kept.txt";
    EXPECT_EQ("kept", ReadHost(trashed));
    EXPECT_TRUE(IsOldModificationTime(ReadFileMetadata(trashed).modified));
    if (!bAttributes)
        GTEST_SKIP() << "the sandbox's file system refuses user extended attributes";
    EXPECT_EQ(ReadUserAttribute(trashed, "user.scrubix.test"), "still here");
}

// A move killed between writing its record and renaming its file leaves a
// record with no file; the next move into that trash removes it, and only
// such records of this program's.
TEST_F(PosixTrashTest, RecordsLeftWithoutTheirFileByAKilledMoveAreRemoved)
{
    fs::create_directories(Trash() / "files");
    fs::create_directories(Trash() / "info");
    const std::time_t now = std::time(nullptr);
    const uint32_t nEnded = EndedProcessId();
    const auto record = [&](const std::string& strName, const std::string& strText)
    { std::ofstream(Trash() / "info" / (strName + ".trashinfo")) << strText; };
    record("left.txt", CPosixTrash::TrashInfoText("/a/left.txt", now, nEnded));
    record("present.txt", CPosixTrash::TrashInfoText("/a/present.txt", now, nEnded));
    std::ofstream(Trash() / "files/present.txt") << "p";
    record("other.txt", "[Trash Info]\nPath=/a/other.txt\nDeletionDate=2001-02-03T04:05:06\n");
    record("running.txt", CPosixTrash::TrashInfoText("/a/running.txt", now, 1));
    record("mine.txt", CPosixTrash::TrashInfoText("/a/mine.txt", now, ::getpid()));
    std::ofstream(Trash() / "info/notes.txt") << CPosixTrash::TrashInfoText("/a/n", now, nEnded);
    m_drive.MakeFile("C:\\next.txt", "n");

    ASSERT_TRUE(TrashFile("C:\\next.txt"));

    std::vector<std::string> infos;
    for (const fs::path& path : FilesIn(Trash() / "info"))
        infos.push_back(path.filename().string());
    EXPECT_EQ(infos, (std::vector<std::string>{"mine.txt.trashinfo", "next.txt.trashinfo",
                                               "notes.txt", "other.txt.trashinfo",
                                               "present.txt.trashinfo", "running.txt.trashinfo"}));
    EXPECT_EQ("p", ReadHost(Trash() / "files/present.txt"));
}

TEST(PosixTrashTextTest, TheWriterIsReadBackOnlyFromItsOwnLine)
{
    uint32_t nWriter = 0;
    ASSERT_TRUE(ParseTrashWriter(CPosixTrash::TrashInfoText("/x", 0, 4242), nWriter));
    EXPECT_EQ(nWriter, 4242u);
    for (const char* pText :
         {"[Trash Info]\nPath=/x\nDeletionDate=2001-02-03T04:05:06\n",
          "[Trash Info]\nPath=/x\nX-Scrubix-Process=12", "[Trash Info]\nX-Scrubix-Process=\n",
          "[Trash Info]\nX-Scrubix-Process=12x\n", "[Trash Info]\nX-Scrubix-Process=99999999999\n",
          "[Trash Info]\nPath=/x%0AX-Scrubix-Process=12\n"})
        EXPECT_FALSE(ParseTrashWriter(pText, nWriter)) << pText;
}

TEST_F(PosixTrashTest, SameNamesDoNotCollide)
{
    m_drive.MakeFile("C:\\a\\x.txt", "a");
    m_drive.MakeFile("C:\\b\\x.txt", "b");
    m_drive.MakeFile("C:\\c\\x.txt", "c");
    ASSERT_TRUE(TrashFile("C:\\a\\x.txt"));
    ASSERT_TRUE(TrashFile("C:\\b\\x.txt"));
    ASSERT_TRUE(TrashFile("C:\\c\\x.txt"));

    const std::vector<fs::path> files = FilesIn(Trash() / "files");
    ASSERT_EQ(3u, files.size());
    std::string strContents;
    for (const fs::path& file : files)
    {
        strContents += ReadHost(file);
        const std::string strInfo =
            ReadHost(Trash() / "info" / (file.filename().string() + ".trashinfo"));
        EXPECT_NE(std::string::npos, strInfo.find("/" + ReadHost(file) + "/x.txt\n")) << strInfo;
    }
    std::sort(strContents.begin(), strContents.end());
    EXPECT_EQ("abc", strContents);
    EXPECT_EQ(3u, FilesIn(Trash() / "info").size());
}

TEST_F(PosixTrashTest, TrashRemovedOrReplacedBetweenFilesIsFoundAnew)
{
    m_drive.MakeFile("C:\\one.txt", "1");
    m_drive.MakeFile("C:\\two.txt", "2");
    m_drive.MakeFile("C:\\three.txt", "3");
    m_drive.MakeFile("C:\\four.txt", "4");
    m_drive.MakeFile("C:\\one-more.txt");
    ASSERT_TRUE(TrashFile("C:\\one.txt"));

    fs::remove_all(Trash() / "files");
    ASSERT_TRUE(TrashFile("C:\\two.txt"));
    EXPECT_EQ("2", ReadHost(Trash() / "files/two.txt"));
    fs::remove_all(Trash() / "info");
    ASSERT_TRUE(TrashFile("C:\\four.txt"));
    EXPECT_TRUE(fs::exists(Trash() / "info/four.txt.trashinfo"));
    fs::remove_all(Trash());
    ASSERT_TRUE(TrashFile("C:\\one-more.txt"));

    const fs::path old = m_drive.HomeFolder() / "old-trash";
    fs::rename(Trash(), old);
    fs::create_directory(Trash(), m_drive.HomeFolder());
    ASSERT_TRUE(TrashFile("C:\\three.txt"));
    EXPECT_EQ("3", ReadHost(Trash() / "files/three.txt"));
    EXPECT_FALSE(fs::exists(old / "files/three.txt"));
}

TEST_F(PosixTrashTest, MissingDataHomeIsCreatedInHomeNotInTheCurrentFolder)
{
    unsetenv("XDG_DATA_HOME");
    const fs::path work = m_drive.Root() / "cwd";
    fs::create_directory(work);
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    m_drive.MakeFile("C:\\f.txt");

    const bool bTrashed = TrashFile("C:\\f.txt");
    fs::current_path(previous);

    ASSERT_TRUE(bTrashed);
    EXPECT_TRUE(fs::is_empty(work));
    EXPECT_TRUE(fs::exists(Trash() / "files/f.txt"));
    EXPECT_EQ(0700u,
              static_cast<unsigned>(fs::status(m_drive.HomeFolder() / ".local").permissions() &
                                    fs::perms::all));
}

TEST_F(PosixTrashTest, RelativeDataHomeIsIgnored)
{
    setenv("XDG_DATA_HOME", "relative/share", 1);
    EXPECT_EQ(m_drive.HomeFolder().string() + "/.local/share/Trash",
              CPosixTrash::HomeTrashFolder());
}

TEST_F(PosixTrashTest, RefusesWhatItMustNotTrashAndLeavesItInPlace)
{
    m_drive.MakeFile("C:\\d\\inner.txt");
    EXPECT_FALSE(m_shell.MoveToTrash("C:\\d", SFileIdentity{}));
    EXPECT_TRUE(m_drive.Exists("C:\\d\\inner.txt"));

    EXPECT_FALSE(m_shell.MoveToTrash("C:\\missing.txt", SFileIdentity{}));
    EXPECT_FALSE(m_shell.MoveToTrash("C:\\", SFileIdentity{}));

    m_drive.MakeFile("C:\\changed.txt");
    const SFileIdentity old = IdentityOf(m_drive.HostPath("C:\\changed.txt"));
    fs::rename(m_drive.HostPath("C:\\changed.txt"), m_drive.HostPath("C:\\held.txt"));
    m_drive.MakeFile("C:\\changed.txt", "new");
    EXPECT_FALSE(m_shell.MoveToTrash("C:\\changed.txt", old));
    EXPECT_EQ("new", m_drive.ReadFile("C:\\changed.txt"));

    std::ofstream(m_drive.Outside() / "o.txt") << "outside";
    fs::create_directory_symlink(m_drive.Outside(), m_drive.HostPath("C:\\link"));
    EXPECT_FALSE(m_shell.MoveToTrash("C:\\link\\o.txt", SFileIdentity{}));
    EXPECT_EQ("outside", ReadHost(m_drive.Outside() / "o.txt"));

    m_drive.MakeFile("C:\\stuck.txt");
    ASSERT_EQ(
        0, std::system(("chattr +i '" + m_drive.HostPath("C:\\stuck.txt").string() + "'").c_str()));
    const bool bStuck = TrashFile("C:\\stuck.txt");
    std::system(("chattr -i '" + m_drive.HostPath("C:\\stuck.txt").string() + "'").c_str());
    EXPECT_FALSE(bStuck);
    EXPECT_TRUE(m_drive.Exists("C:\\stuck.txt"));
    EXPECT_TRUE(FilesIn(Trash() / "info").empty());
    EXPECT_TRUE(FilesIn(Trash() / "files").empty());
}

TEST_F(PosixTrashTest, LinkIsTrashedItselfNotItsTarget)
{
    std::ofstream(m_drive.Outside() / "target.txt") << "target";
    fs::create_symlink(m_drive.Outside() / "target.txt", m_drive.HostPath("C:\\link.txt"));
    ASSERT_TRUE(TrashFile("C:\\link.txt"));
    EXPECT_TRUE(fs::is_symlink(Trash() / "files/link.txt"));
    EXPECT_EQ("target", ReadHost(m_drive.Outside() / "target.txt"));
}

TEST_F(PosixTrashTest, LongNamesAndDeepPathsAreTrashedWhole)
{
    std::string strPath = "C:";
    for (int i = 0; i < 8; ++i)
        strPath += "\\" + std::string(60, static_cast<char>('a' + i));
    const std::string strName = std::string(250, 'n');
    strPath += "\\" + strName;
    m_drive.MakeFile(strPath, "long");
    ASSERT_TRUE(TrashFile(strPath));

    const std::vector<fs::path> infos = FilesIn(Trash() / "info");
    ASSERT_EQ(1u, infos.size());
    EXPECT_LE(infos[0].filename().string().size(), 255u);
    EXPECT_NE(std::string::npos, ReadHost(infos[0]).find("/" + strName + "\n"));
}

TEST(PosixTrashTextTest, PathEncodingKeepsUnreservedBytesAndSlashes)
{
    EXPECT_EQ("/a-b_c.d~e/F9", CPosixTrash::EncodeTrashPath("/a-b_c.d~e/F9"));
    EXPECT_EQ("/x%20y%25%23%3F%0A%FF", CPosixTrash::EncodeTrashPath("/x y%#?\n\xFF"));
}

// A file system of its own inside the sandbox, mapped as D:.
class TopDirectoryTrashTest : public PosixTrashTest
{
protected:
    void SetUp() override
    {
        m_mount = m_drive.Root() / "mnt";
        fs::create_directory(m_mount);
        if (::mount("scrubix-trash-test", m_mount.c_str(), "tmpfs", 0, "size=4m") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        m_bMounted = true;
        m_shell = CPosixShell(
            CDriveMap({{'C', m_drive.DriveFolder().string()}, {'D', m_mount.string()}}));
    }
    void TearDown() override
    {
        if (m_bMounted)
            ::umount2(m_mount.c_str(), MNT_DETACH);
    }

    fs::path m_mount;
    bool m_bMounted = false;
};

TEST_F(TopDirectoryTrashTest, UsesDotTrashDashUidWithARelativePath)
{
    fs::create_directories(m_mount / "sub");
    std::ofstream(m_mount / "sub/f.txt") << "on d";
    ASSERT_TRUE(m_shell.MoveToTrash("D:\\sub\\f.txt", IdentityOf(m_mount / "sub/f.txt")));

    const fs::path trash = m_mount / (".Trash-" + std::to_string(::geteuid()));
    EXPECT_EQ("on d", ReadHost(trash / "files/f.txt"));
    EXPECT_NE(std::string::npos,
              ReadHost(trash / "info/f.txt.trashinfo").find("\nPath=sub/f.txt\n"));
    EXPECT_FALSE(fs::exists(m_mount / "sub/f.txt"));
    EXPECT_FALSE(fs::exists(Trash() / "files/f.txt"));
}

TEST_F(TopDirectoryTrashTest, UsesTheSharedStickyTrashButNeverAPlainOrLinkedOne)
{
    fs::create_directory(m_mount / ".Trash");
    ::chmod((m_mount / ".Trash").c_str(), 01777);
    std::ofstream(m_mount / "a.txt") << "a";
    ASSERT_TRUE(m_shell.MoveToTrash("D:\\a.txt", IdentityOf(m_mount / "a.txt")));
    EXPECT_TRUE(fs::exists(m_mount / ".Trash" / std::to_string(::geteuid()) / "files/a.txt"));

    ::chmod((m_mount / ".Trash").c_str(), 0777); // not sticky: must not be used
    std::ofstream(m_mount / "b.txt") << "b";
    ASSERT_TRUE(m_shell.MoveToTrash("D:\\b.txt", IdentityOf(m_mount / "b.txt")));
    EXPECT_TRUE(fs::exists(m_mount / (".Trash-" + std::to_string(::geteuid())) / "files/b.txt"));
}

TEST(PosixShellOpenTest, StartsTheOpenerWithoutWaitingForIt)
{
    CSandboxDrive drive;
    const fs::path script = drive.Root() / "slow-opener.sh";
    const fs::path marker = drive.Root() / "started.txt";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << marker.string()
                          << "'\nsleep 3\n";
    fs::permissions(script, fs::perms::owner_all);
    CPosixShell shell(CDriveMap::FromEnvironment(), script.string());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(shell.Open("C:\\anomaly.txt"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    for (int i = 0; i < 200 && ReadHost(marker).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ((drive.DriveFolder() / "anomaly.txt").string(), ReadHost(marker));

    CPosixShell missing(CDriveMap::FromEnvironment(), "scrubix-no-such-opener");
    EXPECT_FALSE(missing.Open("https://example.com/"));
}

TEST(PosixShellOpenTest, TheOutcomeIsTheOpenersExitStatusAndNobodyWaitsForIt)
{
    CSandboxDrive drive;
    const fs::path script = drive.Root() / "opener.sh";
    const fs::path log = drive.Root() / "opened.txt";
    // Logs its target, waits a little, and exits with the status the target names.
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << log.string()
                          << "'\nsleep 0.5\ncase \"$1\" in *fail*) exit 4;; esac\nexit 0\n";
    fs::permissions(script, fs::perms::owner_all);
    CPosixShell shell(CDriveMap::FromEnvironment(), script.string());

    const auto start = std::chrono::steady_clock::now();
    std::future<bool> opened = shell.OpenWithOutcome("https://example.com/");
    std::future<bool> failed = shell.OpenWithOutcome("https://example.com/fail");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
    EXPECT_EQ(std::future_status::timeout, failed.wait_for(std::chrono::seconds(0)));
    EXPECT_TRUE(opened.get());
    EXPECT_FALSE(failed.get());
    const std::string strLog = ReadHost(log);
    EXPECT_NE(std::string::npos, strLog.find("https://example.com/\n"));
    EXPECT_NE(std::string::npos, strLog.find("https://example.com/fail\n"));

    CPosixShell missing(CDriveMap::FromEnvironment(), "scrubix-no-such-opener");
    std::future<bool> notStarted = missing.OpenWithOutcome("https://example.com/");
    ASSERT_EQ(std::future_status::ready, notStarted.wait_for(std::chrono::seconds(0)));
    EXPECT_FALSE(notStarted.get());
}
