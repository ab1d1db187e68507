// The sheet's real message boxes: MessageBoxW titled "Scrubix" with the
// rules' text, Yes the default button of a question; a refusal of the entry
// dialog goes over the entry dialog, which stays open.

#include "OptionsWorld.h"
#include "SheetDriving.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/OptionsTexts.h"
#include "ui/win32/dialogs/WideText.h"
#include "ui/win32/pages/CWin32MessageBox.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
bool HasText(HWND hBox, const char* pszText)
{
    for (const std::wstring& strText : StaticTexts(hBox))
    {
        if (strText == WideFromUtf8(pszText))
            return true;
    }
    return false;
}
} // namespace

TEST(Win32MessageBoxTest, QuestionsHaveYesAsDefaultAndOnlyYesContinues)
{
    const int nMissed = SheetAnswersMissed();
    CWin32MessageBox box;
    for (const int nAnswer : {IDYES, IDNO})
    {
        bool bText = false;
        bool bYesDefault = false;
        AnswerSheet(
            [&](HWND hBox)
            {
                bText = HasText(hBox, TEXT_RECYCLE_REMOVE);
                // Yes is the default button and has the focus.
                HWND hYes = GetDlgItem(hBox, IDYES);
                bYesDefault =
                    (GetWindowLongW(hYes, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0 && GetFocus() == hYes;
                ClickItem(hBox, nAnswer);
            },
            CWin32MessageBox::TITLE);
        EXPECT_EQ(box.Show(YesNoPrompt(TEXT_RECYCLE_REMOVE)), nAnswer == IDYES);
        EXPECT_TRUE(bText);
        EXPECT_TRUE(bYesDefault);
    }
    AnswerSheet([&](HWND hBox) { ClickItem(hBox, IDOK); }, CWin32MessageBox::TITLE);
    EXPECT_TRUE(box.Show(OkPrompt(TEXT_NULL_ENTRY)));
    EXPECT_EQ(SheetAnswersMissed(), nMissed);
}

// With the sheet's own message boxes: an empty entry is refused by a box
// over the entry dialog, which stays open; Cancel leaves the list as it was.
TEST(Win32MessageBoxTest, EntryRefusalGoesOverTheEntryDialog)
{
    const int nMissed = SheetAnswersMissed();
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    COptionsWorld world;
    const std::vector<std::string> extensions = world.Doc().Lists[LIST_EXTEN];
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart);
    bool bRefusal = false;
    bool bOverEntry = false;
    bool bEntryStays = false;
    bool bCentredOverEntry = false;
    std::vector<std::string> items;
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 HWND hExten = ShowPage(hSheet, 5);
                 AnswerSheet(
                     [&](HWND hEntry)
                     {
                         AnswerSheet(
                             [&](HWND hBox)
                             {
                                 bRefusal = HasText(hBox, TEXT_NULL_ENTRY);
                                 bOverEntry = GetWindow(hBox, GW_OWNER) == hEntry;
                                 RECT box{};
                                 RECT entry{};
                                 GetWindowRect(hBox, &box);
                                 GetWindowRect(hEntry, &entry);
                                 bCentredOverEntry = std::abs((box.left + box.right) -
                                                              (entry.left + entry.right)) <= 2;
                                 ClickItem(hBox, IDOK);
                             },
                             CWin32MessageBox::TITLE);
                         SetDlgItemTextA(hEntry, IDC_ENTRY_TEXT, "");
                         ClickItem(hEntry, IDOK);
                         bEntryStays = IsWindowVisible(hEntry) != FALSE;
                         ClickItem(hEntry, IDCANCEL);
                     },
                     L"Add");
                 ClickItem(hExten, IDC_EXTEN_ADD);
                 items = ListItems(hExten, IDC_EXTEN_LIST);
                 ClickItem(hSheet, IDOK);
             });
    EXPECT_TRUE(bRefusal);
    EXPECT_TRUE(bOverEntry);
    EXPECT_TRUE(bCentredOverEntry);
    EXPECT_TRUE(bEntryStays);
    EXPECT_EQ(items, extensions);
    EXPECT_EQ(SheetAnswersMissed(), nMissed);
}
