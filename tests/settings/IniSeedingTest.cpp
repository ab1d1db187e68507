// The first-start seeding from the INI file happens once and completely, even
// when the first start ends part way through it.
#include "SettingsTestFixture.h"
#include "support/CCutOffRegistry.h"

namespace
{
constexpr const char* SETTINGS = "Settings";
constexpr const char* INI = "[Settings]\n"
                            "Zero=1\n"
                            "Anomaly=1\n"
                            "[Exten]\n"
                            "Exten0=XYZ\n"
                            "Exten1=ABC\n"
                            "[Exclude]\n"
                            "Exclude0=keep.me\n";

using IniSeedingTest = SettingsTest;
using Strings = std::vector<std::string>;

void ExpectSeeded(const CScrubixDoc& doc, const std::string& strWhen)
{
    EXPECT_EQ(doc.Zero, 1) << strWhen;
    EXPECT_EQ(doc.Anomaly, 1) << strWhen;
    EXPECT_EQ(doc.Lists[LIST_EXTEN], (Strings{"XYZ", "ABC"})) << strWhen;
    ASSERT_FALSE(doc.Lists[LIST_EXCLUDE].empty()) << strWhen;
    EXPECT_EQ(doc.Lists[LIST_EXCLUDE].front(), "keep.me") << strWhen;
}

TEST_F(IniSeedingTest, AFirstStartEndedAtAnyPointIsFollowedByACompleteImport)
{
    // Count the writes of one whole first start, then end one at each.
    int nWrites = 0;
    {
        CSandboxDrive sandbox;
        sandbox.MakeFile(m_fileSystem.GetWindowsFolder() + "\\Scrubix.INI", INI);
        const SPlatform platform = CreatePlatform();
        CCutOffRegistry counting(*platform.pRegistry, 1000);
        CSettingsStore store(counting);
        OpenSettingsStore(store, *platform.pFileSystem);
        nWrites = counting.WritesDone();
    }
    ASSERT_EQ(nWrites, 11); // key, mark, 3 sections, 5 values, mark removed

    for (int nCut = 0; nCut <= nWrites; ++nCut)
    {
        CSandboxDrive sandbox;
        sandbox.MakeFile(m_fileSystem.GetWindowsFolder() + "\\Scrubix.INI", INI);
        const SPlatform platform = CreatePlatform();
        {
            CCutOffRegistry cutOff(*platform.pRegistry, nCut);
            CSettingsStore store(cutOff);
            OpenSettingsStore(store, *platform.pFileSystem); // the start that ends here
        }
        sandbox.MakeFolder("C:\\Tools");
        CCurrentFolderGuard folder(sandbox.HostPath("C:\\Tools"));
        for (int nStart = 0; nStart < 2; ++nStart)
        {
            CSettingsStore store(*platform.pRegistry);
            OpenSettingsStore(store, *platform.pFileSystem);
            CScrubixDoc doc(store, *platform.pFileSystem);
            doc.LoadSettings();
            ExpectSeeded(doc, "ended after " + std::to_string(nCut) + " writes, start " +
                                  std::to_string(nStart + 2));
            std::string strMark;
            EXPECT_EQ(store.ReadString("", IMPORT_PENDING_VALUE, strMark), EStoredValue::Absent);
        }
    }
}

TEST_F(IniSeedingTest, AFinishedImportIsNeverRepeated)
{
    WriteIni(INI);
    auto pDoc = StartFrom("C:\\Tools");
    ExpectSeeded(*pDoc, "first start");
    pDoc->Zero = 0;
    pDoc->Lists[LIST_EXTEN] = {"TMP"};
    pDoc->SaveSettings();
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Zero, 0);
    EXPECT_EQ(pDoc->Lists[LIST_EXTEN], (Strings{"TMP"}));
}

TEST_F(IniSeedingTest, AnIniWithNoEndingLineBreakImportsItsLastLine)
{
    WriteIni("[Settings]\r\nZero=1\r\nScroll=1");
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Zero, 1);
    EXPECT_EQ(pDoc->Scroll, 1);
}
} // namespace
