// The Win32 Options sheet, created in the test process and driven through
// its window messages on a sandbox drive and a scratch registry key: the
// tabs in order, OK that stores (read back by the next start) and Cancel that
// does not, the results-time sheet, the Purge/Move enabling and destination
// check, and the setting pages' messages.

#include "OptionsWorld.h"
#include "SheetDriving.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/OptionsTexts.h"
#include "ui/rules/RunAtBoot.h"
#include "ui/win32/dialogs/DialogTextFit.h"
#include "ui/win32/pages/COptionsPage.h"

#include <gtest/gtest.h>

namespace
{
using Strings = std::vector<std::string>;

constexpr int APPLY_BUTTON_ID = 0x3021; // the property sheet's Apply

std::string StoredRunValue(IRegistry& registry)
{
    CSettingsStore store(registry);
    store.SetBaseKey(ERegistryHive::LocalMachine, RUN_KEY_PATH);
    return store.GetString(RUN_SECTION, RUN_VALUE_NAME, "<absent>");
}

SOptionsServices Scripted(COptionsWorld& world)
{
    return SOptionsServices{&world.m_messageBox, &world.m_pathPicker};
}

class OptionsSheetTest : public ::testing::Test
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

TEST_F(OptionsSheetTest, IdleShowsTenTabsInOrderWithOkAndCancelOnly)
{
    COptionsWorld world;
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    std::vector<std::wstring> tabs;
    std::wstring strCaption;
    bool bApplyShown = true;
    bool bFirstCreatedOnly = false;
    std::vector<std::wstring> cut;
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 tabs = TabTexts(hSheet);
                 wchar_t szCaption[64] = {};
                 GetWindowTextW(hSheet, szCaption, 64);
                 strCaption = szCaption;
                 HWND hApply = GetDlgItem(hSheet, APPLY_BUTTON_ID);
                 bApplyShown = hApply != nullptr && IsWindowVisible(hApply);
                 // A page's window exists once its tab has been shown.
                 bFirstCreatedOnly = sheet.Page(0)->IsCreated() &&
                                     !sheet.FindPage(EOptionsPage::FoldersToDelete)->IsCreated();
                 // Every text of every page shows whole.
                 for (int i = 0; i < 10; ++i)
                 {
                     for (const std::wstring& strCut :
                          CutLabels(ShowPage(hSheet, i), LabelHeightNeeded))
                         cut.push_back(strCut);
                 }
                 ClickItem(hSheet, IDCANCEL);
             });
    EXPECT_EQ(strCaption, L"Options");
    EXPECT_EQ(tabs,
              (std::vector<std::wstring>{L"Excludes", L"Filters", L"Directeds", L"Files to Delete",
                                         L"Folders to Delete", L"Extensions", L"Purge/Move",
                                         L"Run Options", L"Other Settings", L"Age"}));
    EXPECT_FALSE(bApplyShown);
    EXPECT_TRUE(bFirstCreatedOnly);
    EXPECT_EQ(cut, std::vector<std::wstring>());
}

// While results are shown the sheet has the one page Purge/Move; switching
// to Purge and OK saves every setting and rewrites the Run value, and the
// values of the pages not shown stay as the document has them.
TEST_F(OptionsSheetTest, ResultsSheetHasOnlyPurgeMove)
{
    COptionsWorld world;
    world.Doc().Move = 0;
    world.Doc().Zero = 1;
    world.Doc().Run = 1;
    world.Doc().Visible = 1;
    world.Doc().Path = "C:\\Scrubix";
    COptionsSheet sheet(world.Doc(), ViewState::Results, world.m_autostart, Scripted(world));
    std::vector<std::wstring> tabs;
    const bool bOk = RunSheet(sheet,
                              [&](HWND hSheet)
                              {
                                  tabs = TabTexts(hSheet);
                                  HWND hPage = ShowPage(hSheet, 0);
                                  ClickItem(hPage, IDC_PURGE_PURGE);
                                  world.Doc().Zero = 0; // changed behind the sheet
                                  ClickItem(hSheet, IDOK);
                              });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(tabs, std::vector<std::wstring>{L"Purge/Move"});
    EXPECT_EQ(world.Doc().Move, 1);
    EXPECT_STREQ(ActionButtonText(world.Doc().Move), "Purge Files");
    EXPECT_EQ(StoredRunValue(world.Registry()), "C:\\Scrubix\\scrubix.exe -A47F19C2D08B6E53");
    world.Restart();
    EXPECT_EQ(world.Doc().Move, 1);
    EXPECT_EQ(world.Doc().Zero, 0);
}

// Changes on several pages, then OK: the next start reads every one back.
// The same changes, then Cancel: nothing is stored, the Run value untouched.
TEST_F(OptionsSheetTest, OkStoresAndCancelDoesNot)
{
    for (const bool bOk : {false, true})
    {
        COptionsWorld world;
        world.Doc().Path = "C:\\Scrubix";
        const Strings extensions = world.Doc().Lists[LIST_EXTEN];
        const int32_t nExcludeCase = world.Doc().ExcludeCase;
        const int32_t nAnomaly = world.Doc().Anomaly;
        const int32_t nScroll = world.Doc().Scroll;
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
        const bool bAccepted = RunSheet(sheet,
                                        [&](HWND hSheet)
                                        {
                                            HWND hExcludes = ShowPage(hSheet, 0);
                                            ClickItem(hExcludes, IDC_EXCLUDE_IGNORE_CASE);
                                            HWND hExten = ShowPage(hSheet, 5);
                                            TypeEntry("new");
                                            ClickItem(hExten, IDC_EXTEN_ADD);
                                            HWND hOther = ShowPage(hSheet, 8);
                                            ClickItem(hOther, IDC_OTHER_ANOMALY);
                                            ClickItem(hOther, IDC_OTHER_SCROLL);
                                            ClickItem(hSheet, bOk ? IDOK : IDCANCEL);
                                        });
        EXPECT_EQ(bAccepted, bOk);
        world.Restart();
        Strings expected = extensions;
        if (bOk)
            expected.push_back("NEW");
        EXPECT_EQ(world.Doc().Lists[LIST_EXTEN], expected) << bOk;
        EXPECT_EQ(world.Doc().ExcludeCase, bOk ? 1 - nExcludeCase : nExcludeCase);
        EXPECT_EQ(world.Doc().Anomaly, bOk ? 1 - nAnomaly : nAnomaly);
        EXPECT_EQ(world.Doc().Scroll, bOk ? 1 - nScroll : nScroll);
        EXPECT_EQ(StoredRunValue(world.Registry()), bOk ? "" : "<absent>");
    }
}

TEST_F(OptionsSheetTest, PurgeMoveEnablingFollowsTheChoice)
{
    COptionsWorld world;
    COptionsSheet sheet(world.Doc(), ViewState::Results, world.m_autostart, Scripted(world));
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 HWND hPage = ShowPage(hSheet, 0);
                 ClickItem(hPage, IDC_PURGE_PURGE);
                 for (int nId :
                      {IDC_PURGE_RECYCLE, IDC_PURGE_DESTINATION, IDC_PURGE_DESTINATION_LABEL,
                       IDC_PURGE_MOVE_PATH, IDC_PURGE_BROWSE, IDC_PURGE_OVERWRITE})
                     EXPECT_FALSE(Enabled(hPage, nId)) << nId;
                 EXPECT_TRUE(Enabled(hPage, IDC_PURGE_WARN));

                 ClickItem(hPage, IDC_PURGE_MOVE);
                 ClickItem(hPage, IDC_PURGE_RECYCLE);
                 EXPECT_FALSE(Enabled(hPage, IDC_PURGE_WARN));
                 EXPECT_TRUE(Enabled(hPage, IDC_PURGE_RECYCLE));
                 EXPECT_TRUE(Enabled(hPage, IDC_PURGE_DESTINATION));
                 for (int nId : {IDC_PURGE_DESTINATION_LABEL, IDC_PURGE_MOVE_PATH, IDC_PURGE_BROWSE,
                                 IDC_PURGE_OVERWRITE})
                     EXPECT_FALSE(Enabled(hPage, nId)) << nId;

                 ClickItem(hPage, IDC_PURGE_DESTINATION);
                 for (int nId : {IDC_PURGE_DESTINATION_LABEL, IDC_PURGE_MOVE_PATH, IDC_PURGE_BROWSE,
                                 IDC_PURGE_OVERWRITE})
                     EXPECT_TRUE(Enabled(hPage, nId)) << nId;

                 // Browse replaces only the folder; the tick on overwrite stays.
                 if (!Checked(hPage, IDC_PURGE_OVERWRITE))
                     ClickItem(hPage, IDC_PURGE_OVERWRITE);
                 world.m_pathPicker.m_folders.push_back("C:\\Picked");
                 ClickItem(hPage, IDC_PURGE_BROWSE);
                 EXPECT_EQ(world.m_pathPicker.m_titles.back(), "Folder where files will be moved");
                 EXPECT_EQ(ItemTextA(hPage, IDC_PURGE_MOVE_PATH), "C:\\Picked");
                 EXPECT_TRUE(Checked(hPage, IDC_PURGE_OVERWRITE));
                 ClickItem(hPage, IDC_PURGE_BROWSE); // cancelled: nothing changes
                 EXPECT_EQ(ItemTextA(hPage, IDC_PURGE_MOVE_PATH), "C:\\Picked");
                 ClickItem(hSheet, IDCANCEL);
             });
}

// Moving to a destination folder that does not exist: neither another tab
// nor OK leaves the page; the Recycle Bin passes with the same path; Cancel
// still closes without saving.
TEST_F(OptionsSheetTest, DestinationCheckKeepsThePage)
{
    COptionsWorld world;
    world.Sandbox().MakeFolder("C:\\Moved");
    const std::string strMovePath = world.Doc().MovePath;
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    const bool bOk =
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hPage = ShowPage(hSheet, 6);
                     EXPECT_NE(hPage, nullptr);
                     ClickItem(hPage, IDC_PURGE_MOVE);
                     ClickItem(hPage, IDC_PURGE_DESTINATION);
                     SetDlgItemTextA(hPage, IDC_PURGE_MOVE_PATH, "C:\\does not exist");
                     EXPECT_EQ(ShowPage(hSheet, 0), nullptr);
                     EXPECT_EQ(CurrentIndex(hSheet), 6);
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings({TEXT_DESTINATION_INVALID}));

                     ClickItem(hSheet, IDOK);
                     EXPECT_TRUE(IsWindowVisible(hSheet));
                     EXPECT_EQ(world.m_messageBox.m_shown.size(), 2u);

                     SetDlgItemTextA(hPage, IDC_PURGE_MOVE_PATH, "");
                     EXPECT_EQ(ShowPage(hSheet, 0), nullptr);
                     ClickItem(hPage, IDC_PURGE_RECYCLE);
                     SetDlgItemTextA(hPage, IDC_PURGE_MOVE_PATH, "C:\\does not exist");
                     EXPECT_NE(ShowPage(hSheet, 0), nullptr);
                     EXPECT_EQ(ShowPage(hSheet, 6), hPage);
                     ClickItem(hPage, IDC_PURGE_DESTINATION);
                     ClickItem(hSheet, IDCANCEL);
                 });
    EXPECT_FALSE(bOk);
    world.Restart();
    EXPECT_EQ(world.Doc().MovePath, strMovePath);
    EXPECT_EQ(world.Doc().RecycleRadio, 0);

    // An existing folder passes, and OK stores it.
    COptionsSheet again(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    EXPECT_TRUE(RunSheet(again,
                         [&](HWND hSheet)
                         {
                             HWND hPage = ShowPage(hSheet, 6);
                             ClickItem(hPage, IDC_PURGE_MOVE);
                             ClickItem(hPage, IDC_PURGE_DESTINATION);
                             SetDlgItemTextA(hPage, IDC_PURGE_MOVE_PATH, "C:\\Moved");
                             ClickItem(hSheet, IDOK);
                         }));
    world.Restart();
    EXPECT_EQ(world.Doc().MovePath, "C:\\Moved");
    EXPECT_EQ(world.Doc().RecycleRadio, 1);
}

TEST_F(OptionsSheetTest, InvisibleModeAndBootTimeChecks)
{
    COptionsWorld world;
    world.Doc().Visible = 1;
    world.Doc().Run = 0;
    world.Doc().Path = "C:\\Scrubix";
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    const bool bOk =
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hRun = ShowPage(hSheet, 7);
                     // Visible: Run At Boot time goes on and off without a word.
                     ClickItem(hRun, IDC_RUN_AT_BOOT);
                     EXPECT_TRUE(Checked(hRun, IDC_RUN_AT_BOOT));
                     ClickItem(hRun, IDC_RUN_AT_BOOT);
                     EXPECT_FALSE(Checked(hRun, IDC_RUN_AT_BOOT));
                     EXPECT_TRUE(world.m_messageBox.m_shown.empty());

                     world.m_messageBox.m_answers = {false};
                     ClickItem(hRun, IDC_RUN_INVISIBLE);
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings({TEXT_INVISIBLE_QUESTION}));
                     EXPECT_TRUE(Checked(hRun, IDC_RUN_VISIBLE));
                     EXPECT_FALSE(Checked(hRun, IDC_RUN_INVISIBLE));
                     EXPECT_FALSE(Checked(hRun, IDC_RUN_AT_BOOT));

                     world.m_messageBox.m_shown.clear();
                     world.m_messageBox.m_answers = {true, true};
                     ClickItem(hRun, IDC_RUN_INVISIBLE);
                     EXPECT_EQ(world.m_messageBox.Texts(),
                               Strings({TEXT_INVISIBLE_QUESTION, TEXT_INVISIBLE_HOW_TO_SHOW}));
                     EXPECT_TRUE(Checked(hRun, IDC_RUN_INVISIBLE));
                     EXPECT_TRUE(Checked(hRun, IDC_RUN_AT_BOOT));

                     // Invisible: Run At Boot time cannot be unticked.
                     world.m_messageBox.m_shown.clear();
                     ClickItem(hRun, IDC_RUN_AT_BOOT);
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings({TEXT_BOOT_TIME_NEEDED}));
                     EXPECT_TRUE(Checked(hRun, IDC_RUN_AT_BOOT));
                     ClickItem(hSheet, IDOK);
                 });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(world.Doc().Visible, 0);
    EXPECT_EQ(world.Doc().Run, 1);
    EXPECT_EQ(StoredRunValue(world.Registry()), "C:\\Scrubix\\scrubix.exe -7QX2M9R4TJ6W1HN5");
}

// The browser advice once per opening of the sheet; the zero-length advice
// only where all three browser keys exist (none do here).
TEST_F(OptionsSheetTest, DirectedAndZeroLengthMessages)
{
    COptionsWorld world;
    world.Doc().IE = 0;
    world.Doc().Zero = 0;
    for (int nOpening = 0; nOpening < 2; ++nOpening)
    {
        world.m_messageBox.m_shown.clear();
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hDirecteds = ShowPage(hSheet, 2);
                     EXPECT_FALSE(IsWindowVisible(GetDlgItem(hDirecteds, IDC_DIRECTED_IE_URL)));
                     ClickItem(hDirecteds, IDC_DIRECTED_IE); // on
                     ClickItem(hDirecteds, IDC_DIRECTED_IE); // off
                     ClickItem(hDirecteds, IDC_DIRECTED_IE); // on again: no second message
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings({TEXT_IE_SHUT_DOWN}));

                     world.m_messageBox.m_shown.clear();
                     HWND hOther = ShowPage(hSheet, 8);
                     ClickItem(hOther, IDC_OTHER_ZERO);
                     EXPECT_TRUE(Checked(hOther, IDC_OTHER_ZERO));
                     EXPECT_TRUE(world.m_messageBox.m_shown.empty());
                     ClickItem(hSheet, IDCANCEL);
                 });
    }
}
