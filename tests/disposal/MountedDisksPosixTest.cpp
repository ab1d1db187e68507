// Disposal on real file systems that behave unlike the sandbox's: an ext4
// without birth times (128-byte inodes, as older disks have), and a report
// folder on a full or read-only disk. Mounting needs root and loop devices;
// elsewhere these tests are skipped with the reason.
#include "DisposalTestFixture.h"

#include <cstdlib>
#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

int Shell(const std::string& strCommand)
{
    return std::system((strCommand + " >/dev/null 2>&1").c_str());
}

// A file system mounted on a folder for the life of the object.
class CMountedDisk
{
public:
    CMountedDisk(const fs::path& mountPoint, const std::string& strMountCommand)
        : m_mountPoint(mountPoint)
    {
        fs::create_directories(mountPoint);
        m_bMounted = ::geteuid() == 0 && Shell(strMountCommand) == 0;
    }
    ~CMountedDisk()
    {
        if (m_bMounted)
            ::umount2(m_mountPoint.c_str(), MNT_DETACH);
    }
    CMountedDisk(const CMountedDisk&) = delete;
    CMountedDisk& operator=(const CMountedDisk&) = delete;

    bool IsMounted() const { return m_bMounted; }

private:
    fs::path m_mountPoint;
    bool m_bMounted = false;
};

std::string Quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

// The drive C: itself is an ext4 with 128-byte inodes: no birth times, and
// times in whole seconds. A file deleted and made again under its name gets
// the freed inode back.
class NoBirthTimeDiskTest : public CDisposalTest, public ::testing::WithParamInterface<const char*>
{
protected:
    NoBirthTimeDiskTest()
        : m_image(m_drive.Root() / "ext3-style.img"),
          m_disk(m_drive.DriveFolder(), "truncate -s 16M " + Quoted(m_image) +
                                            " && mkfs.ext4 -q -F -I 128 " + Quoted(m_image) +
                                            " && mount -o loop " + Quoted(m_image) + " " +
                                            Quoted(m_drive.DriveFolder()))
    {
        const std::string strMode = GetParam();
        m_doc.Anomaly = 1;
        m_doc.Move = strMode == "purge" ? 1 : 0;
        m_doc.RecycleRadio = strMode == "folder" ? 1 : 0;
        if (m_disk.IsMounted())
        {
            m_drive.MakeFolder("C:\\Prog\\");
            m_drive.MakeFolder("C:\\Bak\\");
        }
    }

    // An old junk file, listed as the search lists it.
    void ListOldFile()
    {
        m_drive.MakeFile("C:\\f.tmp", "junk");
        fs::last_write_time(m_drive.HostPath("C:\\f.tmp"), m_oldTime);
        AddRow("C:\\f.tmp");
        ASSERT_EQ(0u, m_list.m_rows[0].identity.nBirthTime) << "the disk keeps birth times";
    }

    // Deletes the listed file and makes another of the same size under its
    // name, which takes the freed inode. The disk keeps whole seconds: a
    // file made again within the second of the listing, with the old
    // modification time put back, could not be told apart by anything.
    void MakeAgain(bool bKeepOldTimes)
    {
        const fs::path host = m_drive.HostPath("C:\\f.tmp");
        if (bKeepOldTimes)
        {
            // The disk's clock is the kernel's coarse one, which can lag
            // behind time() by a tick: wait until a file made now shows a
            // later second than the listed file's change time.
            struct stat listed
            {
            };
            ASSERT_EQ(0, ::stat(host.c_str(), &listed));
            const fs::path probe = m_drive.DriveFolder() / "clock-probe";
            for (;;)
            {
                std::ofstream(probe) << "x";
                struct stat now
                {
                };
                ASSERT_EQ(0, ::stat(probe.c_str(), &now));
                if (now.st_ctime > listed.st_ctime)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            fs::remove(probe);
        }
        fs::remove(host);
        m_drive.MakeFile("C:\\f.tmp", "mine");
        if (bKeepOldTimes)
            fs::last_write_time(host, m_oldTime);
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        SFileIdentity now;
        ASSERT_TRUE(m_platform.pFileSystem->OpenForSize("C:\\f.tmp", nHigh, nLow, now));
        ASSERT_EQ(m_list.m_rows[0].identity.nIndex, now.nIndex)
            << "the inode was not reused, so nothing is tested";
    }

    fs::path m_image;
    CMountedDisk m_disk;
    const fs::file_time_type m_oldTime =
        fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
};

TEST_P(NoBirthTimeDiskTest, FileMadeAgainUnderItsNameIsNotDisposedOf)
{
    if (!m_disk.IsMounted())
        GTEST_SKIP() << "needs root and a loop device to mount an ext4 image";
    ListOldFile();

    MakeAgain(false);

    Run();

    EXPECT_EQ("mine", m_drive.ReadFile("C:\\f.tmp"));
    EXPECT_NE(std::string::npos, Report().find(TextModeLines("\nC:\\f.tmp\n"))) << Report();
}

TEST_P(NoBirthTimeDiskTest, CopyRestoredWithTheOldTimesIsNotDisposedOf)
{
    if (!m_disk.IsMounted())
        GTEST_SKIP() << "needs root and a loop device to mount an ext4 image";
    ListOldFile();

    MakeAgain(true); // as "cp -p" restores it: same size, same modification time

    Run();

    EXPECT_EQ("mine", m_drive.ReadFile("C:\\f.tmp"));
    EXPECT_NE(std::string::npos, Report().find(TextModeLines("\nC:\\f.tmp\n"))) << Report();
}

INSTANTIATE_TEST_SUITE_P(EveryDisposal, NoBirthTimeDiskTest,
                         ::testing::Values("purge", "folder", "trash"));

// The drive C: is a small tmpfs, so that the report's folder C:\Prog can be
// full or read-only.
class SmallDiskTest : public CDisposalTest
{
protected:
    SmallDiskTest()
        : m_disk(m_drive.DriveFolder(),
                 "mount -t tmpfs -o size=256k scrubix-small " + Quoted(m_drive.DriveFolder()))
    {
        m_doc.Move = 1;
        m_doc.Anomaly = 1;
        if (!m_disk.IsMounted())
            return;
        m_drive.MakeFolder("C:\\Prog\\");
        // Empty files free no space when purged.
        for (int n = 0; n < 300; ++n)
            AddFileRow("C:\\f" + std::to_string(n) + ".tmp", true, "");
    }

    void FillTheDisk()
    {
        std::ofstream filler(m_drive.DriveFolder() / "filler");
        const std::string strBlock(4096, 'x');
        while (filler.write(strBlock.data(), static_cast<std::streamsize>(strBlock.size())) &&
               filler.flush())
        {
        }
    }

    CMountedDisk m_disk;
};

TEST_F(SmallDiskTest, ReportOnAFullDiskIsSaidAndNotOpened)
{
    if (!m_disk.IsMounted())
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    FillTheDisk();

    Run();

    EXPECT_FALSE(m_drive.Exists("C:\\f0.tmp")); // purged all the same
    EXPECT_TRUE(m_disposal.IsReportIncomplete());
    EXPECT_EQ("", Opened());
    ASSERT_EQ(1u, m_prompt.m_messages.size());
    EXPECT_EQ(ReportNotWrittenText("C:\\Prog\\anomaly.txt"), m_prompt.m_messages[0]);
}

TEST_F(SmallDiskTest, ReportOnAReadOnlyDiskIsSaidAndNotOpened)
{
    if (!m_disk.IsMounted())
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    ASSERT_EQ(0, Shell("mount -o remount,ro " + Quoted(m_drive.DriveFolder())));

    Run();

    EXPECT_TRUE(m_disposal.IsReportIncomplete());
    EXPECT_EQ("", Opened());
    EXPECT_EQ(1u, m_prompt.m_messages.size());
}

TEST_F(SmallDiskTest, ReportThatFitsIsOpenedAsBefore)
{
    if (!m_disk.IsMounted())
        GTEST_SKIP() << "needs root to mount a small tmpfs";

    Run();

    EXPECT_FALSE(m_disposal.IsReportIncomplete());
    EXPECT_EQ("C:\\Prog\\anomaly.txt\n", Opened());
    EXPECT_TRUE(m_prompt.m_messages.empty());
}
