#include "SettingsTestFixture.h"
#include "support/CCutOffRegistry.h"

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
    EXPECT_EQ(pDoc->MinAge, 0) << "files of any age are listed";
}

TEST_F(ScrubixDocTest, MinAgeIsReadBackAndAbsentReadsAsOff)
{
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->StoreMissingSettings();
    EXPECT_EQ(Stored(SETTINGS, "MinAge"), "<absent>") << "a start stores nothing new";
    EXPECT_EQ(StartFrom("C:\\Tools")->MinAge, 0);

    pDoc->MinAge = 30;
    pDoc->SaveSettings();
    EXPECT_EQ(Stored(SETTINGS, "MinAge"), "30");
    EXPECT_EQ(StartFrom("C:\\Tools")->MinAge, 30);

    pDoc->MinAge = 0;
    pDoc->SaveSettings();
    EXPECT_EQ(Stored(SETTINGS, "MinAge"), "0");
    EXPECT_EQ(StartFrom("C:\\Tools")->MinAge, 0);
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

// The user deletes the only Folders to Delete entry and every Extension and
// presses OK: the lists stay empty at every later start, in the stored form an
// older program reads (blanked values), with the mark beside it.
TEST_F(ScrubixDocTest, AListSavedEmptyStaysEmptyAtEveryLaterStart)
{
    m_sandbox.Build({"C:\\Temp\\thesis.odt"});
    auto pDoc = StartFrom("C:\\Tools");
    ASSERT_EQ(pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Temp"}));
    pDoc->Lists[LIST_FOLDER].clear();
    pDoc->Lists[LIST_EXTEN].clear();
    pDoc->Lists[LIST_EXCLUDE].clear();
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("Exten", "Exten0"), "");
    EXPECT_EQ(Stored("Exten", "Exten14"), "") << "blanked, never deleted";
    EXPECT_EQ(Stored("Exten", SAVED_EMPTY_VALUE), "1");
    EXPECT_EQ(Stored("Folder", SAVED_EMPTY_VALUE), "1");

    for (int nStart = 0; nStart < 2; ++nStart)
    {
        pDoc = StartFrom("C:\\Tools");
        EXPECT_TRUE(pDoc->Lists[LIST_FOLDER].empty()) << "start " << nStart;
        EXPECT_TRUE(pDoc->Lists[LIST_EXTEN].empty()) << "start " << nStart;
        EXPECT_TRUE(pDoc->ExtenMap.empty()) << "start " << nStart;
        EXPECT_TRUE(pDoc->Lists[LIST_EXCLUDE].empty()) << "start " << nStart;
    }
    // The lists that were not emptied keep their defaults.
    EXPECT_EQ(pDoc->Lists[LIST_FILTER], (Strings{"C:\\WINNT\\REPAIR"}));

    // Saved with an entry again, the list loses the mark and loads that entry.
    pDoc->Lists[LIST_FOLDER] = {"C:\\Junk"};
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("Folder", SAVED_EMPTY_VALUE), "0");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Junk"}));
    EXPECT_TRUE(pDoc->Lists[LIST_EXTEN].empty());
}

// A list is given its defaults only when nothing of it is stored: no entry
// and no mark. A list saved with entries never carries a mark it does not need.
TEST_F(ScrubixDocTest, OnlyAListNeverSavedEmptyGetsItsDefaults)
{
    m_sandbox.Build({"C:\\Temp\\"});
    auto pDoc = StartFrom("C:\\Tools");
    pDoc->SaveSettings();
    EXPECT_EQ(Stored("Folder", "Folder0"), "C:\\Temp");
    EXPECT_EQ(Stored("Folder", SAVED_EMPTY_VALUE), "<absent>");
    EXPECT_EQ(Stored("Exten", SAVED_EMPTY_VALUE), "<absent>");

    // Entries win over a mark (an older program saved the list with entries
    // after this one had saved it empty).
    m_store.SetString("Folder", SAVED_EMPTY_VALUE, "1");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Temp"}));

    // Values blanked by hand without the mark: the list was never saved
    // empty by this program, so it gets its defaults as before.
    m_store.SetString("Folder", SAVED_EMPTY_VALUE, "0");
    m_store.SetString("Folder", "Folder0", "");
    pDoc = StartFrom("C:\\Tools");
    EXPECT_EQ(pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Temp"}));
}

// Stores the Folders to Delete list as old, then empties it by a save whose
// registry takes nCut writes and no more (a process killed there). Returns the
// writes the emptying save made.
int EmptyFoldersCutOffAfter(const Strings& old, int nCut)
{
    const SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.Lists[LIST_FOLDER] = old;
    doc.SaveList(LIST_FOLDER);

    CCutOffRegistry cutOff(*platform.pRegistry, nCut);
    CSettingsStore ending(cutOff);
    ending.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath());
    CScrubixDoc emptied(ending, *platform.pFileSystem);
    emptied.SaveList(LIST_FOLDER);
    return cutOff.WritesDone();
}

// A save of an emptied list that ends part way leaves the old entries or the
// empty list, never the defaults.
TEST_F(ScrubixDocTest, AnEmptyingSaveEndedAtAnyPointNeverBringsBackTheDefaults)
{
    const Strings old = {"C:\\Junk", "C:\\More"};
    const int nWrites = EmptyFoldersCutOffAfter(old, 1000);
    ASSERT_GT(nWrites, 3);
    for (int nCut = 0; nCut <= nWrites; ++nCut)
    {
        CSandboxDrive sandbox;
        sandbox.Build({"C:\\Temp\\", "C:\\Tools\\"});
        EmptyFoldersCutOffAfter(old, nCut);
        CCurrentFolderGuard folder(sandbox.HostPath("C:\\Tools"));
        const SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.LoadSettings();
        ASSERT_EQ(doc.DefaultLists[LIST_FOLDER], (Strings{"C:\\Temp"}));
        const Strings& loaded = doc.Lists[LIST_FOLDER];
        EXPECT_TRUE(nCut < nWrites ? loaded == old || loaded.empty() : loaded.empty())
            << "ended after " << nCut << " writes: " << ::testing::PrintToString(loaded);
    }
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
        {"MinAge", &CScrubixDoc::MinAge},
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
