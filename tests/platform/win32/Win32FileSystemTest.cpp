#include "Win32TestFixture.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST_F(Win32Test, ListingCarriesSizesAttributesAndTheIdentity)
{
    m_sandbox.MakeFile("C:\\Data\\three.txt", "abc");
    m_sandbox.MakeSparseFile("C:\\Data\\big.bin", (uint64_t{1} << 32) + 5);
    m_sandbox.MakeFolder("C:\\Data\\Sub");
    ASSERT_TRUE(
        FileSystem().SetAttributes("C:\\Data\\three.txt", FILE_ATTR_READONLY | FILE_ATTR_HIDDEN));

    auto entries = List("C:\\Data");
    ASSERT_EQ(entries.count("three.txt"), 1u);
    const SFindEntry& small = entries["three.txt"];
    EXPECT_TRUE(small.bDetailsKnown);
    EXPECT_EQ(small.nSizeLow, 3u);
    EXPECT_EQ(small.nAttributes & (FILE_ATTR_READONLY | FILE_ATTR_HIDDEN),
              FILE_ATTR_READONLY | FILE_ATTR_HIDDEN);
    EXPECT_EQ(small.identity, IdentityOf("C:\\Data\\three.txt"));
    EXPECT_TRUE(small.identity.bKnown);

    EXPECT_EQ(entries["big.bin"].nSizeHigh, 1u);
    EXPECT_EQ(entries["big.bin"].nSizeLow, 5u);
    EXPECT_TRUE(entries["Sub"].IsDirectory());
    EXPECT_NE(entries["Sub"].identity, entries["big.bin"].identity);
    ASSERT_TRUE(FileSystem().SetAttributes("C:\\Data\\three.txt", FILE_ATTR_NORMAL));
}

TEST_F(Win32Test, DriveRootListsWithOrWithoutItsBackslash)
{
    m_sandbox.MakeFile("C:\\top.tmp");
    EXPECT_EQ(List("C:").count("top.tmp"), 1u);
    EXPECT_EQ(List("C:\\").count("top.tmp"), 1u);
    EXPECT_EQ(FileSystem().OpenListing("C:\\missing"), nullptr);
}

TEST_F(Win32Test, DotDotNeverLeavesTheMappedDrive)
{
    const fs::path outsideFile = m_sandbox.Outside() / "secret.txt";
    std::ofstream(outsideFile) << "secret";
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity identity;
    EXPECT_FALSE(FileSystem().OpenForSize("C:\\..\\outside\\secret.txt", nHigh, nLow, identity));
    EXPECT_FALSE(FileSystem().RemoveFile("C:\\..\\..\\outside\\secret.txt", {}));
    EXPECT_TRUE(fs::exists(outsideFile));
    EXPECT_FALSE(FileSystem().IsFolderAccessible("D:\\"));
    EXPECT_EQ(FileSystem().ListDrives(), (std::vector<std::string>{"C:"}));
}

TEST_F(Win32Test, RemoveFileRefusesFoldersReadOnlyFilesAndAnotherFile)
{
    m_sandbox.MakeFile("C:\\keep\\locked.tmp");
    m_sandbox.MakeFile("C:\\keep\\victim.tmp", "reviewed");
    ASSERT_TRUE(FileSystem().SetAttributes("C:\\keep\\locked.tmp", FILE_ATTR_READONLY));
    EXPECT_FALSE(FileSystem().RemoveFile("C:\\keep\\locked.tmp", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\keep\\locked.tmp"));
    EXPECT_FALSE(FileSystem().RemoveFile("C:\\keep", {}));
    EXPECT_TRUE(m_sandbox.Exists("C:\\keep"));

    // The reviewed file is renamed away and another takes its name.
    const SFileIdentity reviewed = IdentityOf("C:\\keep\\victim.tmp");
    fs::rename(m_sandbox.HostPath("C:\\keep\\victim.tmp"), m_sandbox.HostPath("C:\\keep\\moved"));
    m_sandbox.MakeFile("C:\\keep\\victim.tmp", "impostor");
    EXPECT_FALSE(FileSystem().RemoveFile("C:\\keep\\victim.tmp", reviewed));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\keep\\victim.tmp"), "impostor");

    EXPECT_TRUE(FileSystem().RemoveFile("C:\\keep\\moved", reviewed));
    EXPECT_FALSE(m_sandbox.Exists("C:\\keep\\moved"));
    ASSERT_TRUE(FileSystem().SetAttributes("C:\\keep\\locked.tmp", FILE_ATTR_NORMAL));
}

TEST_F(Win32Test, CopyHonoursFailIfExistsAndTheSourceIdentity)
{
    m_sandbox.MakeFile("C:\\src.txt", "new");
    m_sandbox.MakeFile("C:\\Bak\\src.txt", "old");
    const SFileIdentity source = IdentityOf("C:\\src.txt");
    EXPECT_FALSE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\src.txt", true, source));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Bak\\src.txt"), "old");
    EXPECT_TRUE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\src.txt", false, source));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Bak\\src.txt"), "new");

    SFileIdentity stale = source;
    stale.nIndex ^= 1;
    EXPECT_FALSE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\other.txt", false, stale));
    EXPECT_FALSE(m_sandbox.Exists("C:\\Bak\\other.txt"));
    EXPECT_FALSE(FileSystem().CopyFileTo("C:\\Bak", "C:\\Bak2", false, {}));
}

TEST_F(Win32Test, TextFileWritesCrLfAndTruncatesAnOlderFile)
{
    m_sandbox.MakeFile("C:\\anomaly.txt", std::string(100, 'o'));
    {
        auto pFile = FileSystem().CreateTextFile("C:\\anomaly.txt");
        ASSERT_NE(pFile, nullptr);
        pFile->Write("one\ntwo\n");
    }
    EXPECT_EQ(m_sandbox.ReadFile("C:\\anomaly.txt"), "one\r\ntwo\r\n");
    std::string strRead;
    ASSERT_TRUE(FileSystem().ReadWholeFile("C:\\anomaly.txt", strRead));
    EXPECT_EQ(strRead, "one\r\ntwo\r\n");
    EXPECT_EQ(FileSystem().CreateTextFile("C:\\NoSuchFolder\\anomaly.txt"), nullptr);
}

TEST_F(Win32Test, DevicesAndFoldersHaveNoSize)
{
    m_sandbox.MakeFolder("C:\\Folder");
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity identity;
    EXPECT_FALSE(FileSystem().OpenForSize("C:\\Folder", nHigh, nLow, identity));
    EXPECT_FALSE(FileSystem().OpenForSize("C:\\Folder\\NUL", nHigh, nLow, identity));
    std::string strRead;
    EXPECT_FALSE(FileSystem().ReadWholeFile("C:\\Folder\\CON", strRead));
}

TEST_F(Win32Test, CurrentFolderReadsBackInProgramForm)
{
    m_sandbox.MakeFolder("C:\\Tools");
    const fs::path previous = fs::current_path();
    fs::current_path(m_sandbox.HostPath("C:\\Tools"));
    EXPECT_EQ(FileSystem().GetCurrentFolder(), "C:\\Tools");
    fs::current_path(m_sandbox.DriveFolder());
    EXPECT_EQ(FileSystem().GetCurrentFolder(), "C:\\");
    fs::current_path(m_sandbox.Outside());
    EXPECT_EQ(FileSystem().GetCurrentFolder(), "C:\\") << "outside every drive";
    fs::current_path(previous);
}

TEST_F(Win32Test, SystemFacts)
{
    EXPECT_EQ(FileSystem().GetPlatformId(), 2);
    const std::string strWindows = FileSystem().GetWindowsFolder();
    ASSERT_GE(strWindows.size(), 3u);
    EXPECT_EQ(strWindows[1], ':');
    EXPECT_NE(strWindows.back(), '\\');
    // The tick count counts milliseconds and Sleep waits. It moves in steps
    // of up to about 16 ms, and under Wine on a busy machine it may lag a
    // sleep for a while, so a few sleeps are allowed before 40 ms show.
    const uint32_t nStart = m_platform.pClock->GetTickCount();
    uint32_t nElapsed = 0;
    for (int nSleeps = 0; nSleeps < 20 && nElapsed < 40u; ++nSleeps)
    {
        m_platform.pClock->Sleep(60);
        nElapsed = m_platform.pClock->GetTickCount() - nStart;
    }
    EXPECT_GE(nElapsed, 40u);
}
