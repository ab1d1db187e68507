#include "SettingsTestFixture.h"

namespace
{
constexpr const char* SETTINGS = "Settings";

using ScrubixDocTest = SettingsTest;
using Strings = std::vector<std::string>;

TEST_F(ScrubixDocTest, FirstRunFromAnOrdinaryFolderStoresDefaults)
{
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_EXTEN].size(), 15u);
    EXPECT_EQ(pDoc->Lists[LIST_EXCLUDE], (Strings{"uninstall.log", "install.log", "data.bak"}));
    EXPECT_EQ(pDoc->Lists[LIST_FILTER], (Strings{"C:\\WINNT\\REPAIR"}));
    EXPECT_TRUE(pDoc->Lists[LIST_FILE].empty());
    EXPECT_TRUE(pDoc->Lists[LIST_FOLDER].empty());
    EXPECT_TRUE(pDoc->ExtenMap.count("TMP"));
    EXPECT_EQ(pDoc->Path, "C:\\Tools");
    EXPECT_EQ(pDoc->MovePath, "C:\\Tools\\Bak");
    EXPECT_TRUE(m_sandbox.Exists("C:\\Tools\\Bak"));
    EXPECT_EQ(pDoc->ExcludeCase, 1);
    EXPECT_EQ(pDoc->WarnMe, 1);
    EXPECT_EQ(pDoc->Visible, 1);

    EXPECT_EQ(Stored(SETTINGS, "22"), "1");
    EXPECT_EQ(Stored("Exten", "Exten0"), "GID");
    EXPECT_EQ(Stored("Exten", "Exten14"), "~");
    EXPECT_EQ(Stored("Exten", "Exten15"), "<absent>");
    EXPECT_EQ(Stored(SETTINGS, "Path"), "C:\\Tools");
    EXPECT_EQ(Stored(SETTINGS, "MovePath"), "C:\\Tools\\Bak");
    EXPECT_EQ(Stored("Exclude", "Exclude0"), "<absent>") << "lists reach the store only on save";
}

TEST_F(ScrubixDocTest, DefaultFoldersAreKeptOnlyWhenTheyExist)
{
    m_sandbox.Build({"C:\\Recycler\\", "C:\\Winnt\\Temp\\", "C:\\Temp\\", "C:\\Windows\\Temp\\"});
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FILTER], (Strings{"C:\\Recycler", "C:\\WINNT\\REPAIR"}));
    EXPECT_EQ(pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Winnt\\Temp", "C:\\Temp"}));
}

TEST_F(ScrubixDocTest, SavedListsRoundTripAndStaleValuesAreBlanked)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->Lists[LIST_FILE] = {"C:\\a.doc", "C:\\b.doc", "C:\\c.doc"};
    pDoc->SaveSettings();
    pDoc->Lists[LIST_FILE] = {"C:\\z.doc"};
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("File", "File0"), "C:\\z.doc");
    EXPECT_EQ(Stored("File", "File1"), "");
    EXPECT_EQ(Stored("File", "File2"), "");

    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FILE], (Strings{"C:\\z.doc"}));
}

TEST_F(ScrubixDocTest, AListSavedEmptyComesBackWithItsDefaults)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->Lists[LIST_EXCLUDE].clear();
    pDoc->SaveSettings();
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_EXCLUDE], (Strings{"uninstall.log", "install.log", "data.bak"}));
}

TEST_F(ScrubixDocTest, ABlankValueInTheMiddleEndsTheList)
{
    OpenSettingsStore(m_store, m_fileSystem);
    m_store.SetString("Filter", "Filter0", "C:\\One");
    m_store.SetString("Filter", "Filter1", "");
    m_store.SetString("Filter", "Filter2", "C:\\Three");
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FILTER], (Strings{"C:\\One"}));
}

TEST_F(ScrubixDocTest, InstallLogIsAddedToTheExcludesOnlyOnce)
{
    OpenSettingsStore(m_store, m_fileSystem);
    m_store.SetString("Exclude", "Exclude0", "readme.txt");
    auto pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_EXCLUDE], (Strings{"readme.txt", "install.log"}));
    pDoc->SaveSettings();

    pDoc->Lists[LIST_EXCLUDE] = {"readme.txt"};
    pDoc->SaveSettings();
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_EXCLUDE], (Strings{"readme.txt"}));
}

TEST_F(ScrubixDocTest, PathFollowsTheFolderTheProgramStartedFrom)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc = StartFrom("C:\\Other Tools");
    EXPECT_EQ(pDoc->Path, "C:\\Other Tools");
    EXPECT_EQ(Stored(SETTINGS, "Path"), "C:\\Other Tools");
    EXPECT_EQ(pDoc->MovePath, "C:\\Tools\\Bak") << "a stored MovePath is kept";

    // From the Windows folder, or any WIN* folder under a root, the stored
    // Path is used and left alone.
    for (const char* pFolder : {"C:\\WINDOWS", "C:\\WinTools", "C:\\winnt\\system32"})
    {
        pDoc = StartFrom(pFolder);
        EXPECT_EQ(pDoc->Path, "C:\\Other Tools") << pFolder;
        EXPECT_EQ(Stored(SETTINGS, "Path"), "C:\\Other Tools") << pFolder;
    }
}

TEST_F(ScrubixDocTest, StartedFromADriveRootWithNothingStored)
{
    auto pDoc = StartFrom("C:\\");
    EXPECT_EQ(pDoc->Path, "C:");
    EXPECT_EQ(pDoc->MovePath, "C:\\Bak");
    EXPECT_TRUE(m_sandbox.Exists("C:\\Bak"));
    EXPECT_EQ(Stored(SETTINGS, "Path"), "<absent>");
}

TEST_F(ScrubixDocTest, AFolderTooLongToStoreKeepsTheStoredPath)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc = StartFrom("C:\\" + std::string(150, 'd') + "\\" + std::string(150, 'e'));
    EXPECT_EQ(pDoc->Path, "C:\\Tools");
    EXPECT_EQ(Stored(SETTINGS, "Path"), "C:\\Tools");
}

TEST_F(ScrubixDocTest, SaveSettingsWritesEveryScalarButPath)
{
    auto pDoc = StartFrom("C:\\Tools");
    // Every integer setting gets a value no other one has, so a value written
    // under another setting's name shows.
    const std::vector<std::pair<const char*, int32_t CScrubixDoc::*>> integers = {
        {"ExcludeCase", &CScrubixDoc::ExcludeCase},
        {"IE", &CScrubixDoc::IE},
        {"IEURL", &CScrubixDoc::IEURL},
        {"Move", &CScrubixDoc::Move},
        {"RecycleRadio", &CScrubixDoc::RecycleRadio},
        {"WarnMe", &CScrubixDoc::WarnMe},
        {"Overwrite", &CScrubixDoc::Overwrite},
        {"Anomaly", &CScrubixDoc::Anomaly},
        {"Deletereadonly", &CScrubixDoc::Deletereadonly},
        {"Zero", &CScrubixDoc::Zero},
        {"Scroll", &CScrubixDoc::Scroll},
        {"Visible", &CScrubixDoc::Visible},
        {"Run", &CScrubixDoc::Run},
    };
    int32_t nValue = 40;
    for (const auto& [pName, pMember] : integers)
        (*pDoc).*pMember = nValue++;
    pDoc->NetPath = "\\\\server\\share";
    pDoc->MovePath = "C:\\Tools\\Moved";
    pDoc->Path = "C:\\Elsewhere";
    pDoc->SaveSettings();

    nValue = 40;
    for (const auto& [pName, pMember] : integers)
        EXPECT_EQ(Stored(SETTINGS, pName), std::to_string(nValue++)) << pName;
    EXPECT_EQ(Stored(SETTINGS, "NetPath"), "\\\\server\\share");
    EXPECT_EQ(Stored(SETTINGS, "MovePath"), "C:\\Tools\\Moved");
    EXPECT_EQ(Stored(SETTINGS, "Path"), "C:\\Tools");

    // The next start reads every one back into its own member.
    auto pNext = StartFrom("C:\\Tools");
    nValue = 40;
    for (const auto& [pName, pMember] : integers)
        EXPECT_EQ((*pNext).*pMember, nValue++) << pName;
    EXPECT_EQ(pNext->NetPath, "\\\\server\\share");
    EXPECT_EQ(pNext->MovePath, "C:\\Tools\\Moved");
}
} // namespace
