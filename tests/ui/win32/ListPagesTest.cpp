// The Win32 list pages and the entry dialog through their window messages:
// each validation message for its bad entry with nothing stored, Add and
// Edit through the real entry dialog, the confirmations before a delete,
// Restore Defaults, the horizontal extent, and the path dialogs' entries.

#include "OptionsWorld.h"
#include "SheetDriving.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/OptionsTexts.h"

#include <gtest/gtest.h>

namespace
{
using Strings = std::vector<std::string>;

constexpr int EXCLUDES = 0;
constexpr int FILTERS = 1;
constexpr int FILES = 3;
constexpr int FOLDERS = 4;
constexpr int EXTENSIONS = 5;

SOptionsServices Scripted(COptionsWorld& world)
{
    return SOptionsServices{&world.m_messageBox, &world.m_pathPicker};
}

class ListPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        m_nMissedBefore = SheetAnswersMissed();
    }
    void TearDown() override { EXPECT_EQ(SheetAnswersMissed(), m_nMissedBefore); }

    int m_nMissedBefore = 0;
};
} // namespace

// Every entry the entry dialog refuses: its message, the dialog kept open,
// nothing added, and after OK on the sheet nothing stored.
TEST_F(ListPagesTest, EntryDialogRefusesEachBadEntryWithItsMessage)
{
    const std::string strTooLong(MAX_ENTRY_LENGTH + 1, 'x');
    struct SCase
    {
        int nPage;
        int nAdd;
        std::string strEntry;
        const char* pszMessage;
    };
    const SCase cases[] = {
        {EXTENSIONS, IDC_EXTEN_ADD, "", TEXT_NULL_ENTRY},
        {EXTENSIONS, IDC_EXTEN_ADD, strTooLong, TEXT_ENTRY_TOO_LONG},
        {EXCLUDES, IDC_EXCLUDE_ADD, "", TEXT_NULL_ENTRY},
        {EXCLUDES, IDC_EXCLUDE_ADD, "   ", TEXT_NULL_ENTRY},
        {EXCLUDES, IDC_EXCLUDE_ADD, "a*.txt", TEXT_WILDCARD_FORM},
        {EXCLUDES, IDC_EXCLUDE_ADD, "*txt", TEXT_WILDCARD_FORM},
        {EXCLUDES, IDC_EXCLUDE_ADD, "*.t*t", TEXT_WILDCARD_FORM},
        {EXCLUDES, IDC_EXCLUDE_ADD, "a?.txt", TEXT_QUESTION_MARK},
    };
    COptionsWorld world;
    const auto lists = world.Doc().Lists;
    for (const SCase& test : cases)
    {
        world.m_messageBox.m_shown.clear();
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
        bool bRefused = false;
        const int nList = test.nPage == EXTENSIONS ? IDC_EXTEN_LIST : IDC_EXCLUDE_LIST;
        Strings before;
        Strings after;
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hPage = ShowPage(hSheet, test.nPage);
                     before = ListItems(hPage, nList);
                     TypeEntry(test.strEntry, &bRefused);
                     ClickItem(hPage, test.nAdd);
                     after = ListItems(hPage, nList);
                     ClickItem(hSheet, IDOK);
                 });
        EXPECT_TRUE(bRefused) << test.strEntry;
        EXPECT_EQ(world.m_messageBox.Texts(), Strings{test.pszMessage}) << test.strEntry;
        EXPECT_EQ(after, before) << test.strEntry;
    }
    world.Restart();
    EXPECT_EQ(world.Doc().Lists, lists);
}

// A good entry: Extensions upper-case it, Excludes trim it; Edit puts the
// edited entry at the end, selected; the dialog is captioned "Edit" then.
TEST_F(ListPagesTest, AddAndEditThroughTheEntryDialog)
{
    COptionsWorld world;
    world.Doc().Lists[LIST_EXTEN] = {"TMP", "BAK", "OLD"};
    world.Doc().Lists[LIST_EXCLUDE] = {"keep.me"};
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    std::wstring strEditCaption;
    std::string strEditText;
    RunSheet(
        sheet,
        [&](HWND hSheet)
        {
            HWND hExten = ShowPage(hSheet, EXTENSIONS);
            EXPECT_FALSE(Enabled(hExten, IDC_EXTEN_EDIT));
            EXPECT_FALSE(Enabled(hExten, IDC_EXTEN_DELETE));
            TypeEntry("log");
            ClickItem(hExten, IDC_EXTEN_ADD);
            EXPECT_EQ(SendDlgItemMessageA(hExten, IDC_EXTEN_LIST, LB_GETCURSEL, 0, 0), 3);
            EXPECT_TRUE(Enabled(hExten, IDC_EXTEN_EDIT));
            EXPECT_TRUE(Enabled(hExten, IDC_EXTEN_DELETE));

            SelectItem(hExten, IDC_EXTEN_LIST, 0);
            AnswerSheet(
                [&](HWND hEntry)
                {
                    wchar_t szCaption[32] = {};
                    GetWindowTextW(hEntry, szCaption, 32);
                    strEditCaption = szCaption;
                    strEditText = ItemTextA(hEntry, IDC_ENTRY_TEXT);
                    SetDlgItemTextA(hEntry, IDC_ENTRY_TEXT, "tmp2");
                    ClickItem(hEntry, IDOK);
                });
            ClickItem(hExten, IDC_EXTEN_EDIT);
            EXPECT_EQ(ListItems(hExten, IDC_EXTEN_LIST), Strings({"BAK", "OLD", "LOG", "TMP2"}));
            EXPECT_EQ(SendDlgItemMessageA(hExten, IDC_EXTEN_LIST, LB_GETCURSEL, 0, 0), 3);

            HWND hExcludes = ShowPage(hSheet, EXCLUDES);
            TypeEntry("  spaced.txt\t");
            ClickItem(hExcludes, IDC_EXCLUDE_ADD);
            TypeEntry("*.log");
            ClickItem(hExcludes, IDC_EXCLUDE_ADD);
            ClickItem(hSheet, IDOK);
        });
    EXPECT_EQ(strEditCaption, L"Edit");
    EXPECT_EQ(strEditText, "TMP");
    world.Restart();
    EXPECT_EQ(world.Doc().Lists[LIST_EXTEN], Strings({"BAK", "OLD", "LOG", "TMP2"}));
    EXPECT_EQ(world.Doc().Lists[LIST_EXCLUDE], Strings({"keep.me", "spaced.txt", "*.log"}));
}

// Deleting "install.log" asks first (No keeps it); deleting the last item
// selects the new last one; Restore Defaults brings the defaults back,
// stored only after OK.
TEST_F(ListPagesTest, DeleteAsksWhereItMustAndRestoreDefaults)
{
    COptionsWorld world;
    const Strings defaults = world.Doc().DefaultLists[LIST_EXTEN];
    world.Doc().Lists[LIST_EXCLUDE] = {"install.log", "a.txt", "b.txt", "c.txt"};
    world.Doc().Lists[LIST_EXTEN] = {"ONE"};
    world.Doc().SaveSettings();
    for (const bool bOk : {false, true})
    {
        world.Restart();
        world.m_messageBox.m_shown.clear();
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hExcludes = ShowPage(hSheet, EXCLUDES);
                     SelectItem(hExcludes, IDC_EXCLUDE_LIST, 0);
                     world.m_messageBox.m_answers = {false};
                     ClickItem(hExcludes, IDC_EXCLUDE_DELETE);
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings({TEXT_INSTALL_LOG_REMOVE}));
                     EXPECT_EQ(ListItems(hExcludes, IDC_EXCLUDE_LIST).size(), 4u);
                     SelectItem(hExcludes, IDC_EXCLUDE_LIST, 3);
                     ClickItem(hExcludes, IDC_EXCLUDE_DELETE);
                     EXPECT_EQ(ListItems(hExcludes, IDC_EXCLUDE_LIST),
                               Strings({"install.log", "a.txt", "b.txt"}));
                     EXPECT_EQ(SendDlgItemMessageA(hExcludes, IDC_EXCLUDE_LIST, LB_GETCURSEL, 0, 0),
                               2);

                     HWND hExten = ShowPage(hSheet, EXTENSIONS);
                     ClickItem(hExten, IDC_EXTEN_DEFAULTS);
                     EXPECT_EQ(ListItems(hExten, IDC_EXTEN_LIST), defaults);
                     ClickItem(hSheet, bOk ? IDOK : IDCANCEL);
                 });
        world.Restart();
        EXPECT_EQ(world.Doc().Lists[LIST_EXTEN], bOk ? defaults : Strings({"ONE"}));
        EXPECT_EQ(world.Doc().Lists[LIST_EXCLUDE],
                  bOk ? Strings({"install.log", "a.txt", "b.txt"})
                      : Strings({"install.log", "a.txt", "b.txt", "c.txt"}));
    }
}

// The list box scrolls sideways as far as its widest entry: the extent
// grows with a long entry and shrinks when it is deleted.
TEST_F(ListPagesTest, HorizontalExtentFollowsTheWidestEntry)
{
    COptionsWorld world;
    world.Doc().Lists[LIST_EXTEN] = {"A"};
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 HWND hExten = ShowPage(hSheet, EXTENSIONS);
                 HWND hList = GetDlgItem(hExten, IDC_EXTEN_LIST);
                 const LRESULT nNarrow = SendMessageA(hList, LB_GETHORIZONTALEXTENT, 0, 0);
                 EXPECT_GT(nNarrow, 0);
                 TypeEntry(std::string(120, 'W'));
                 ClickItem(hExten, IDC_EXTEN_ADD);
                 RECT client{};
                 GetClientRect(hList, &client);
                 const LRESULT nWide = SendMessageA(hList, LB_GETHORIZONTALEXTENT, 0, 0);
                 EXPECT_GT(nWide, client.right);      // wider than the list: it scrolls
                 ClickItem(hExten, IDC_EXTEN_DELETE); // the long entry is selected
                 EXPECT_EQ(SendMessageA(hList, LB_GETHORIZONTALEXTENT, 0, 0), nNarrow);
                 ClickItem(hSheet, IDCANCEL);
             });
}

// Filters and Folders to Delete take folders from the folder browser: a
// root and a missing folder are refused with their messages, an operating
// system folder asks first; Files to Delete takes the file and remembers it.
TEST_F(ListPagesTest, PathDialogEntriesAreCheckedAndRemembered)
{
    COptionsWorld world;
    world.Sandbox().MakeFolder("C:\\Keep");
    world.Sandbox().MakeFolder("C:\\WINDOWS\\Temp");
    world.Sandbox().MakeFile("C:\\Keep\\junk.txt");
    world.Doc().Lists[LIST_FILTER] = world.Doc().DefaultLists[LIST_FILTER];
    world.Doc().Lists[LIST_FOLDER] = {};
    world.Doc().Lists[LIST_FILE] = {};
    const Strings filters = world.Doc().Lists[LIST_FILTER];
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 HWND hFilters = ShowPage(hSheet, FILTERS);
                 EXPECT_TRUE(world.m_messageBox.m_shown.empty()); // no default is missing
                 world.m_pathPicker.m_folders = {"C:\\", "C:\\does not exist", "C:\\Keep\\"};
                 for (int i = 0; i < 3; ++i)
                     ClickItem(hFilters, IDC_FILTER_ADD);
                 EXPECT_EQ(world.m_pathPicker.m_titles,
                           Strings(3, "Find the Netscape \"Users\" Folder"));
                 EXPECT_EQ(world.m_messageBox.Texts(),
                           Strings({FormatWithPath(TEXT_ROOT_FOLDER, "C:\\"),
                                    FormatWithPath(TEXT_INVALID_FOLDER, "C:\\does not exist")}));

                 world.m_messageBox.m_shown.clear();
                 HWND hFolders = ShowPage(hSheet, FOLDERS);
                 world.m_pathPicker.m_folders = {"C:\\WINDOWS\\Temp", "C:\\WINDOWS\\Temp"};
                 world.m_messageBox.m_answers = {false, true};
                 ClickItem(hFolders, IDC_FOLDERS_ADD);
                 EXPECT_TRUE(ListItems(hFolders, IDC_FOLDERS_LIST).empty());
                 ClickItem(hFolders, IDC_FOLDERS_ADD);
                 EXPECT_EQ(world.m_messageBox.Texts(),
                           Strings(2, FormatWithPath(TEXT_OPERATING_SYSTEM, "C:\\WINDOWS\\Temp")));

                 HWND hFiles = ShowPage(hSheet, FILES);
                 world.m_pathPicker.m_files = {"C:\\Keep\\junk.txt"};
                 ClickItem(hFiles, IDC_FILES_ADD);
                 EXPECT_TRUE(Enabled(hFiles, IDC_FILES_DELETE));
                 ClickItem(hSheet, IDOK);
             });
    Strings expectedFilters = filters;
    expectedFilters.push_back("C:\\Keep\\");
    world.Restart();
    EXPECT_EQ(world.Doc().Lists[LIST_FILTER], expectedFilters);
    EXPECT_EQ(world.Doc().Lists[LIST_FOLDER], Strings({"C:\\WINDOWS\\Temp"}));
    EXPECT_EQ(world.Doc().Lists[LIST_FILE], Strings({"C:\\Keep\\junk.txt"}));
    EXPECT_EQ(world.Store().GetString("Add", "Path", ""), "C:\\Keep\\junk.txt");

    // The next file-open dialog starts with the file chosen last.
    COptionsSheet again(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    world.m_pathPicker.m_initialFiles.clear();
    world.m_pathPicker.m_startFolders.clear();
    RunSheet(again,
             [&](HWND hSheet)
             {
                 ClickItem(ShowPage(hSheet, FILES), IDC_FILES_ADD); // cancelled
                 ClickItem(hSheet, IDCANCEL);
             });
    EXPECT_EQ(world.m_pathPicker.m_initialFiles, Strings({"C:\\Keep\\junk.txt"}));
    EXPECT_EQ(world.m_pathPicker.m_startFolders, Strings({"C:\\Keep"}));
}
