#include "ShellTestSupport.h"
#include "settings/SettingsTestFixture.h"
#include "ui/rules/CListPageRules.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/OptionsTexts.h"

namespace
{
using Strings = std::vector<std::string>;

class ListPageRulesTest : public SettingsTest
{
protected:
    void Start() { m_pDoc = StartFrom("C:\\Tools"); }
    CListPageRules Page(int nKind) { return CListPageRules(nKind, *m_pDoc, m_listBox, m_box); }

    std::unique_ptr<CScrubixDoc> m_pDoc;
    CMemoryListBox m_listBox;
    CScriptedMessageBox m_box;
};

TEST_F(ListPageRulesTest, ShownAndCommittedUnchangedKeepsEntriesAndOrder)
{
    Start();
    m_pDoc->Lists[LIST_FILE] = {"C:\\b.doc", "C:\\a.doc", "C:\\b.doc"};
    CListPageRules page = Page(LIST_FILE);
    page.Initialise();
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\b.doc", "C:\\a.doc", "C:\\b.doc"}));
    EXPECT_EQ(m_listBox.m_nSelection, -1);
    EXPECT_EQ(m_listBox.m_nExtent, 7 * 8);
    m_pDoc->Lists[LIST_FILE].clear();
    page.Commit();
    EXPECT_EQ(m_pDoc->Lists[LIST_FILE], (Strings{"C:\\b.doc", "C:\\a.doc", "C:\\b.doc"}));
    EXPECT_TRUE(m_box.m_shown.empty());
}

TEST_F(ListPageRulesTest, ExtensionsAreUpperCasedAndEditAppendsAtTheEnd)
{
    Start();
    m_pDoc->Lists[LIST_EXTEN] = {"TMP", "BAK"};
    CListPageRules page = Page(LIST_EXTEN);
    page.Initialise();
    page.AddEntry("tmp");
    EXPECT_EQ(m_listBox.m_items, (Strings{"TMP", "BAK", "TMP"})) << "duplicates are kept";
    EXPECT_EQ(m_listBox.m_nSelection, 2);

    m_listBox.SetCurSel(0);
    ASSERT_EQ(page.EditText(), std::optional<std::string>("TMP"));
    page.FinishEdit(0, "log");
    EXPECT_EQ(m_listBox.m_items, (Strings{"BAK", "TMP", "LOG"}));
    EXPECT_EQ(m_listBox.m_nSelection, 2);
    page.AddEntry("*.tmp");
    page.AddEntry("a?b");
    page.Commit();
    EXPECT_EQ(m_pDoc->Lists[LIST_EXTEN], (Strings{"BAK", "TMP", "LOG", "*.TMP", "A?B"}));

    m_listBox.SetCurSel(-1);
    EXPECT_FALSE(page.EditText());
}

TEST_F(ListPageRulesTest, ExcludesKeepTheirCaseAndAskBeforeLosingProtectedNames)
{
    Start();
    m_pDoc->Lists[LIST_EXCLUDE] = {"install.log", "Install.log", "data.bak", "x.txt"};
    CListPageRules page = Page(LIST_EXCLUDE);
    page.Initialise();
    page.AddEntry("Keep.Me");
    EXPECT_EQ(m_listBox.m_items.back(), "Keep.Me");

    m_listBox.SetCurSel(0);
    m_box.m_answers = {false};
    EXPECT_FALSE(page.DeleteSelection());
    EXPECT_EQ(m_box.Texts(), (Strings{TEXT_INSTALL_LOG_REMOVE}));
    EXPECT_EQ(m_listBox.m_items.size(), 5u);
    EXPECT_EQ(m_listBox.m_nSelection, 0);

    m_box.m_answers = {true};
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_EQ(m_listBox.m_items, (Strings{"Install.log", "data.bak", "x.txt", "Keep.Me"}));

    m_box.m_shown.clear();
    m_listBox.SetCurSel(0); // Install.log: not the protected name
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_TRUE(m_box.m_shown.empty());
    m_listBox.SetCurSel(0);
    m_box.m_answers = {false};
    EXPECT_FALSE(page.DeleteSelection());
    EXPECT_EQ(m_box.Texts(), (Strings{TEXT_DATA_BAK_REMOVE}));
}

TEST_F(ListPageRulesTest, ExcludesAreTrimmedOfBlanksWhereAddedOrEdited)
{
    EXPECT_EQ(TrimEntryBlanks(" \tinstall.log \t"), "install.log");
    EXPECT_EQ(TrimEntryBlanks("my file.txt"), "my file.txt") << "inner blanks stay";
    EXPECT_EQ(TrimEntryBlanks(" \t "), "");

    Start();
    m_pDoc->Lists[LIST_EXCLUDE] = {"x.txt"};
    CListPageRules page = Page(LIST_EXCLUDE);
    page.Initialise();
    page.AddEntry("install.log ");
    page.AddEntry("  *.tmp");
    EXPECT_EQ(m_listBox.m_items, (Strings{"x.txt", "install.log", "*.tmp"}));
    page.FinishEdit(0, " y.txt\t");
    page.Commit();
    EXPECT_EQ(m_pDoc->Lists[LIST_EXCLUDE], (Strings{"install.log", "*.tmp", "y.txt"}));
}

TEST_F(ListPageRulesTest, DeleteSelectsTheNextItemOrTheNewLast)
{
    Start();
    m_pDoc->Lists[LIST_FOLDER] = {"C:\\aaaaaaaaaa", "C:\\b", "C:\\cc"};
    CListPageRules page = Page(LIST_FOLDER);
    page.Initialise();
    EXPECT_EQ(m_listBox.m_nExtent, 7 * 13);

    EXPECT_FALSE(page.DeleteSelection()) << "nothing selected";
    m_listBox.SetCurSel(0);
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_EQ(m_listBox.m_nSelection, 0);
    EXPECT_EQ(m_listBox.m_nExtent, 7 * 5) << "the extent follows the widest item down";
    m_listBox.SetCurSel(1);
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\b"}));
    EXPECT_EQ(m_listBox.m_nSelection, 0);
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_TRUE(m_listBox.m_items.empty());
    EXPECT_EQ(m_listBox.m_nSelection, -1);
    EXPECT_EQ(m_listBox.m_nExtent, 7 * 4) << "an empty list keeps its extent";
}

TEST_F(ListPageRulesTest, RestoreDefaultsSelectsNothingAndKeepsTheExtent)
{
    m_sandbox.Build({"C:\\Temp\\", "C:\\Winnt\\Temp\\"});
    Start();
    m_pDoc->Lists[LIST_FOLDER] = {"C:\\a-rather-long-folder-name"};
    CListPageRules page = Page(LIST_FOLDER);
    page.Initialise();
    m_listBox.SetCurSel(0);
    const int nExtent = m_listBox.m_nExtent;
    page.RestoreDefaults();
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\Winnt\\Temp", "C:\\Temp"}));
    EXPECT_EQ(m_listBox.m_nSelection, -1);
    EXPECT_EQ(m_listBox.m_nExtent, nExtent);
    EXPECT_TRUE(m_box.m_shown.empty()) << "no operating-system question on restore";
    EXPECT_EQ(m_pDoc->Lists[LIST_FOLDER], (Strings{"C:\\a-rather-long-folder-name"}));
}

// The only Folders to Delete entry deleted and the sheet closed with OK: every
// later start shows the list empty, and Restore Defaults with OK brings the
// defaults back for good.
TEST_F(ListPageRulesTest, AnEmptiedListStaysEmptyUntilItsDefaultsAreRestored)
{
    m_sandbox.Build({"C:\\Temp\\thesis.odt"});
    Start();
    {
        CListPageRules page = Page(LIST_FOLDER);
        page.Initialise();
        ASSERT_EQ(m_listBox.m_items, (Strings{"C:\\Temp"}));
        m_listBox.SetCurSel(0);
        EXPECT_TRUE(page.DeleteSelection());
        page.Commit();
        m_pDoc->SaveSettings();
    }
    for (int nStart = 0; nStart < 2; ++nStart)
    {
        Start();
        CMemoryListBox listBox;
        CListPageRules(LIST_FOLDER, *m_pDoc, listBox, m_box).Initialise();
        EXPECT_TRUE(listBox.m_items.empty()) << "start " << nStart;
        m_pDoc->SaveSettings(); // an OK that leaves the list alone
    }

    CMemoryListBox listBox;
    CListPageRules page(LIST_FOLDER, *m_pDoc, listBox, m_box);
    page.Initialise();
    page.RestoreDefaults();
    EXPECT_EQ(listBox.m_items, (Strings{"C:\\Temp"}));
    page.Commit();
    m_pDoc->SaveSettings();
    for (int nStart = 0; nStart < 2; ++nStart)
    {
        Start();
        EXPECT_EQ(m_pDoc->Lists[LIST_FOLDER], (Strings{"C:\\Temp"})) << "start " << nStart;
    }
}

TEST_F(ListPageRulesTest, FoldersToDeleteAskAboutTheOperatingSystem)
{
    m_sandbox.Build({"C:\\WINNT\\PROFILES\\", "C:\\Junk\\"});
    Start();
    CListPageRules page = Page(LIST_FOLDER);
    page.Initialise();
    m_box.m_answers = {false};
    EXPECT_FALSE(page.AddFolder("C:\\WINNT\\PROFILES"));
    EXPECT_TRUE(m_listBox.m_items.empty());
    m_box.m_answers = {true};
    EXPECT_TRUE(page.AddFolder("C:\\WINNT\\PROFILES"));
    EXPECT_TRUE(page.AddFolder("C:\\Junk\\"));
    EXPECT_FALSE(page.AddFolder("C:\\"));
    EXPECT_FALSE(page.AddFolder("C:\\Gone"));
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\WINNT\\PROFILES", "C:\\Junk\\"}));
    EXPECT_EQ(m_listBox.m_nSelection, 1);
    EXPECT_EQ(m_box.Texts().back(), "String\n C:\\Gone\n is invalid.");
}

TEST_F(ListPageRulesTest, FiltersOfferEachMissingDefaultOncePerShowing)
{
    m_sandbox.Build({"C:\\Recycler\\", "C:\\Projects\\"});
    Start();
    ASSERT_EQ(m_pDoc->DefaultLists[LIST_FILTER], (Strings{"C:\\Recycler", "C:\\WINNT\\REPAIR"}));
    m_pDoc->Lists[LIST_FILTER] = {"C:\\Projects"};
    CListPageRules page = Page(LIST_FILTER);
    m_box.m_answers = {true, false};
    page.Initialise();
    ASSERT_EQ(m_box.m_shown.size(), 2u);
    EXPECT_EQ(m_box.m_shown[0].strText.rfind("The Recycle bin at\nC:\\Recycler\n", 0), 0u);
    EXPECT_EQ(m_box.m_shown[1].strText.rfind("The Repair Folder at\nC:\\WINNT\\REPAIR\n", 0), 0u);
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\Projects", "C:\\Recycler"}));
    EXPECT_EQ(m_listBox.m_nSelection, -1);
    EXPECT_EQ(m_pDoc->Lists[LIST_FILTER], (Strings{"C:\\Projects"})) << "only OK commits";

    // The next showing asks again about the one declined.
    CMemoryListBox again;
    CScriptedMessageBox box;
    CListPageRules(LIST_FILTER, *m_pDoc, again, box).Initialise();
    EXPECT_EQ(box.m_shown.size(), 2u);

    // A default present in another letter case is not missing.
    m_pDoc->Lists[LIST_FILTER] = {"c:\\recycler", "C:\\winnt\\repair"};
    CMemoryListBox present;
    CScriptedMessageBox silent;
    CListPageRules(LIST_FILTER, *m_pDoc, present, silent).Initialise();
    EXPECT_TRUE(silent.m_shown.empty());
}

TEST_F(ListPageRulesTest, FiltersAskBeforeRemovingProtectedEntries)
{
    Start();
    m_pDoc->Lists[LIST_FILTER] = {"C:\\WINNT\\REPAIR",
                                  "C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X\\MAIL",
                                  "C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X", "D:\\RECYCLED"};
    CListPageRules page = Page(LIST_FILTER);
    page.Initialise();
    m_box.m_shown.clear();

    m_listBox.SetCurSel(0);
    m_box.m_answers = {false};
    EXPECT_FALSE(page.DeleteSelection());
    EXPECT_EQ(m_box.Texts(), (Strings{TEXT_REPAIR_REMOVE}));
    EXPECT_EQ(m_listBox.m_nSelection, 0) << "a No keeps the entry selected";
    m_box.m_answers = {true};
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_EQ(m_listBox.m_items.front(), "C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X\\MAIL");

    m_box.m_shown.clear();
    m_box.m_answers = {false};
    EXPECT_FALSE(page.DeleteSelection());
    EXPECT_EQ(m_box.Texts(), (Strings{TEXT_NETSCAPE_MAIL_REMOVE}));
    m_box.m_answers = {true};
    EXPECT_TRUE(page.DeleteSelection());

    m_box.m_shown.clear();
    EXPECT_TRUE(page.DeleteSelection()); // without its last folder
    EXPECT_TRUE(page.DeleteSelection()); // a user-added recycle folder
    EXPECT_TRUE(m_box.m_shown.empty());
    EXPECT_TRUE(m_listBox.m_items.empty());
}

TEST_F(ListPageRulesTest, FilesToDeleteRememberTheFileChosenLast)
{
    Start();
    CListPageRules page = Page(LIST_FILE);
    page.Initialise();
    EXPECT_EQ(page.RememberedFile(), "");
    EXPECT_TRUE(page.AddFile("C:\\Some Folder\\Old.TXT"));
    EXPECT_EQ(m_listBox.m_items, (Strings{"C:\\Some Folder\\Old.TXT"}));
    EXPECT_FALSE(page.AddFile("C:\\" + std::string(300, 'x')));
    EXPECT_EQ(m_box.Texts(), (Strings{TEXT_ENTRY_TOO_LONG}));
    EXPECT_EQ(m_listBox.m_items.size(), 1u);

    // A later run of the program starts the dialog from the same file.
    auto pDoc = StartFrom("C:\\Tools");
    CMemoryListBox listBox;
    EXPECT_EQ(CListPageRules(LIST_FILE, *pDoc, listBox, m_box).RememberedFile(),
              "C:\\Some Folder\\Old.TXT");
}
} // namespace
