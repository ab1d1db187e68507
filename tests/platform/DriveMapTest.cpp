#include "platform/posix/CDriveMap.h"
#include "support/CSandboxDrive.h"

#include <gtest/gtest.h>

namespace
{

CDriveMap TwoDrives()
{
    return CDriveMap({{'C', "/"}, {'D', "/mnt/data"}});
}

} // namespace

TEST(DriveMapTest, ToHostAcceptsTheWindowsForms)
{
    const CDriveMap map = TwoDrives();
    EXPECT_EQ(map.ToHost("C:"), "/");
    EXPECT_EQ(map.ToHost("C:\\"), "/");
    EXPECT_EQ(map.ToHost("c:\\Temp\\x.TMP"), "/Temp/x.TMP");
    EXPECT_EQ(map.ToHost("D:"), "/mnt/data");
    EXPECT_EQ(map.ToHost("d:\\a\\"), "/mnt/data/a");
    // As in Win32: "/" separates too, repeated separators collapse, "." goes
    // and ".." never climbs above the drive root.
    EXPECT_EQ(map.ToHost("C:/a//b\\.\\c"), "/a/b/c");
    EXPECT_EQ(map.ToHost("D:\\a\\..\\..\\..\\b"), "/mnt/data/b");
}

// Plain paths take a shorter way than those with empty, "." or ".."
// components or names starting with a dot; both must agree.
TEST(DriveMapTest, SplitNormalisesPlainAndDottedPathsAlike)
{
    const CDriveMap map = TwoDrives();
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\a", "a"},
        {"D:\\a\\b/c", "a/b/c"},
        {"D:/a", "a"},
        {"D:\\a.\\b..\\c...", "a./b../c..."},
        {"D:\\.a\\b", ".a/b"},
        {"D:\\a\\.b", "a/.b"},
        {"D:\\a\\...\\b", "a/.../b"},
        {"D:\\a\\.", "a"},
        {"D:\\a\\..", ""},
        {"D:\\a\\b\\..\\c", "a/c"},
        {"D:\\\\a", "a"},
        {"D:\\a\\\\b\\", "a/b"},
        {"D:\\.", ""},
        {"D:\\x", "x"},
    };
    for (const auto& [pszWindows, pszRelative] : cases)
    {
        const std::optional<CDriveMap::SHostPath> host = map.Split(pszWindows);
        ASSERT_TRUE(host) << pszWindows;
        EXPECT_EQ(host->strRoot, "/mnt/data") << pszWindows;
        EXPECT_EQ(host->strRelative, pszRelative) << pszWindows;
    }
}

TEST(DriveMapTest, ToHostRejectsWhatIsNotAFullWindowsPath)
{
    const CDriveMap map = TwoDrives();
    EXPECT_EQ(map.ToHost("E:\\x"), std::nullopt); // unmapped
    EXPECT_EQ(map.ToHost("C:dir"), std::nullopt); // drive-relative
    EXPECT_EQ(map.ToHost("\\\\server\\share"), std::nullopt);
    EXPECT_EQ(map.ToHost("/etc/passwd"), std::nullopt);
    EXPECT_EQ(map.ToHost(""), std::nullopt);
    EXPECT_EQ(map.ToHost("1:\\x"), std::nullopt);
    EXPECT_EQ(map.ToHost(std::string("C:\\a\0b", 6)), std::nullopt);
}

TEST(DriveMapTest, ToWindowsUsesTheLongestRootAndKeepsBytes)
{
    const CDriveMap map = TwoDrives();
    EXPECT_EQ(map.ToWindows("/"), "C:\\");
    EXPECT_EQ(map.ToWindows("/mnt"), "C:\\mnt");
    EXPECT_EQ(map.ToWindows("/mnt/data"), "D:\\");
    EXPECT_EQ(map.ToWindows("/mnt/data/x/y.tmp"), "D:\\x\\y.tmp");
    EXPECT_EQ(map.ToWindows("/mnt/database"), "C:\\mnt\\database"); // component boundary
    EXPECT_EQ(map.ToWindows("/a/back\\slash"), std::nullopt);
    EXPECT_EQ(map.ToWindows("relative"), std::nullopt);

    const std::string strOdd = "/mnt/data/\xff\xfe caf\xc3\xa9\x80.tmp";
    const std::optional<std::string> windows = map.ToWindows(strOdd);
    ASSERT_TRUE(windows);
    EXPECT_EQ(*windows, "D:\\\xff\xfe caf\xc3\xa9\x80.tmp");
    EXPECT_EQ(map.ToHost(*windows), strOdd);
}

TEST(DriveMapTest, PathsAreNeverTruncated)
{
    const CDriveMap map = TwoDrives();
    std::string strWindows = "C:";
    for (int i = 0; i < 40; ++i)
        strWindows += "\\" + std::string(200, static_cast<char>('a' + i % 26));
    const std::optional<std::string> host = map.ToHost(strWindows);
    ASSERT_TRUE(host);
    EXPECT_EQ(host->size(), strWindows.size() - 2);
    EXPECT_EQ(map.ToWindows(*host), strWindows);
}

TEST(DriveMapTest, OutsideEveryDriveHasNoWindowsForm)
{
    const CDriveMap map({{'C', "/srv/c"}});
    EXPECT_EQ(map.ToWindows("/srv"), std::nullopt);
    EXPECT_EQ(map.ToWindows("/srv/cc"), std::nullopt);
    EXPECT_EQ(map.ToWindows("/srv/c/../x"), std::nullopt);
    EXPECT_EQ(map.ToWindows("/srv/c/"), "C:\\");
}

TEST(DriveMapTest, ANulInANameIsNeverMappedPastIt)
{
    // The OS would stop reading the name at the NUL and act on another file.
    using namespace std::string_literals;
    const CDriveMap map = TwoDrives();
    EXPECT_EQ(map.ToWindows("/mnt/data/dis\0/x"s), std::nullopt);
    EXPECT_EQ(map.ToWindows("/\0"s), std::nullopt);
    EXPECT_EQ(map.ToHost("D:\\dis\0\\x"s), std::nullopt);

    const CDriveMap overridden =
        CDriveMap::FromOverride("C:=/nonexistent/c\0/d;E:=/nonexistent/e"s);
    ASSERT_EQ(overridden.Drives().size(), 1u);
    EXPECT_EQ(overridden.Drives()[0].cLetter, 'E');
    EXPECT_EQ(overridden.Drives()[0].strHostRoot, "/nonexistent/e");
}

TEST(DriveMapTest, ARootHoldingANulGetsNoLetter)
{
    using namespace std::string_literals;
    const CDriveMap map({{'C', "/srv/c\0/x"s}, {'D', "/srv/d"}});
    ASSERT_EQ(map.Drives().size(), 1u);
    EXPECT_EQ(map.Drives()[0].cLetter, 'D');

    const CDriveMap mounted =
        CDriveMap::FromMountInfo("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                 "24 22 8:2 / /mnt/da\0ta rw - ext4 /dev/sda2 rw\n"
                                 "25 22 8:3 / /mnt/other rw - ext4 /dev/sda3 rw\n"s);
    ASSERT_EQ(mounted.Drives().size(), 2u);
    EXPECT_EQ(mounted.Drives()[1].cLetter, 'D');
    EXPECT_EQ(mounted.Drives()[1].strHostRoot, "/mnt/other");
}

TEST(DriveMapTest, OverrideReplacesTheTable)
{
    const CDriveMap map = CDriveMap::FromOverride("e:=/nonexistent/e/;C:=//nonexistent//c;bad;"
                                                  "F:=relative;C:=/second;;Q=/q");
    ASSERT_EQ(map.Drives().size(), 2u);
    EXPECT_EQ(map.Drives()[0].cLetter, 'C');
    EXPECT_EQ(map.Drives()[0].strHostRoot, "/nonexistent/c");
    EXPECT_EQ(map.Drives()[1].cLetter, 'E');
    EXPECT_EQ(map.Drives()[1].strHostRoot, "/nonexistent/e");
    EXPECT_EQ(map.ToHost("C:\\x"), "/nonexistent/c/x");
    EXPECT_EQ(map.ToHost("D:\\x"), std::nullopt);
}

TEST(DriveMapTest, EnvironmentOverrideIsUsed)
{
    CSandboxDrive sandbox;
    const CDriveMap map = CDriveMap::FromEnvironment();
    ASSERT_EQ(map.Drives().size(), 1u);
    EXPECT_EQ(map.ToHost("C:\\a"), (sandbox.DriveFolder() / "a").string());
    EXPECT_EQ(map.ToWindows(sandbox.Outside().string()), std::nullopt);
}

TEST(DriveMapTest, AnOverrideWithoutAValidDriveGivesNoDrivesNeverTheRealOnes)
{
    CSandboxDrive sandbox;
    for (const char* pszTable : {"", " ", "   ", ";", "bad", "C:relative", "C:=c/x", " C:=/x"})
    {
        sandbox.SetDriveTable(pszTable);
        const CDriveMap map = CDriveMap::FromEnvironment();
        EXPECT_TRUE(map.Drives().empty()) << '"' << pszTable << '"';
        EXPECT_EQ(map.ToHost("C:\\"), std::nullopt) << '"' << pszTable << '"';
        EXPECT_EQ(map.ToWindows("/"), std::nullopt) << '"' << pszTable << '"';
    }
}

TEST(DriveMapTest, DefaultTableLettersOnlyWholeBlockDeviceFileSystems)
{
    const std::string strMountInfo =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "24 23 0:22 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
        "30 26 8:17 / /media/my\\040disk rw,relatime shared:5 master:1 - ext4 /dev/sdb1 rw\n"
        "31 26 8:1 /var/lib/x/hosts /etc/hosts rw - ext4 /dev/sda1 rw\n"
        "32 26 8:2 / /home rw - xfs /dev/sda2 rw\n"
        "33 26 8:2 / /srv/again rw - xfs /dev/sda2 rw\n"
        "34 26 254:0 / /mnt/bind rw - ext4 /dev/vda rw\n"
        "garbage line\n"
        "35 26 0:40 / /mnt/ro ro - tmpfs none ro\n";
    const CDriveMap map = CDriveMap::FromMountInfo(strMountInfo);
    ASSERT_EQ(map.Drives().size(), 3u);
    EXPECT_EQ(map.Drives()[0].strHostRoot, "/");
    EXPECT_EQ(map.Drives()[1].cLetter, 'D');
    EXPECT_EQ(map.Drives()[1].strHostRoot, "/media/my disk");
    EXPECT_EQ(map.Drives()[2].cLetter, 'E');
    EXPECT_EQ(map.Drives()[2].strHostRoot, "/home");
}

TEST(DriveMapTest, DefaultTableOnThisMachine)
{
    const char* pszSaved = std::getenv("SCRUBIX_DRIVES");
    const std::string strSaved = pszSaved ? pszSaved : "";
    unsetenv("SCRUBIX_DRIVES");
    const CDriveMap map = CDriveMap::FromEnvironment();
    if (pszSaved)
        setenv("SCRUBIX_DRIVES", strSaved.c_str(), 1);

    ASSERT_FALSE(map.Drives().empty());
    EXPECT_EQ(map.Drives()[0].cLetter, 'C');
    EXPECT_EQ(map.Drives()[0].strHostRoot, "/");
    for (const CDriveMap::SDrive& drive : map.Drives())
    {
        EXPECT_NE(drive.strHostRoot.rfind("/proc", 0), 0u) << drive.strHostRoot;
        EXPECT_NE(drive.strHostRoot.rfind("/sys", 0), 0u) << drive.strHostRoot;
        EXPECT_NE(drive.strHostRoot, "/dev/shm");
    }
}
