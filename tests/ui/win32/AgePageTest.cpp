// The Win32 Age page, driven through its window messages on a sandbox drive
// and a scratch registry key: copy-in from the document, copy-out on OK into
// the document and the store, the days greyed while the box is clear, the
// spin control's range and keys, and days out of range keeping the page.

#include "OptionsWorld.h"
#include "SheetDriving.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/AgePageRules.h"
#include "ui/win32/pages/CAgePage.h"

#include <gtest/gtest.h>

namespace
{
using Strings = std::vector<std::string>;
constexpr int AGE_PAGE = 9;

SOptionsServices Scripted(COptionsWorld& world)
{
    return SOptionsServices{&world.m_messageBox, &world.m_pathPicker};
}

class AgePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof(init),
                                  ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
        m_nMissedBefore = SheetAnswersMissed();
    }
    void TearDown() override { EXPECT_EQ(SheetAnswersMissed(), m_nMissedBefore); }

    int m_nMissedBefore = 0;
};

HWND SpinOf(COptionsSheet& sheet)
{
    return static_cast<CAgePage*>(sheet.FindPage(EOptionsPage::Age))->SpinControl();
}
} // namespace

TEST_F(AgePageTest, CopyInShowsTheSettingAndTheDaysFollowTheBox)
{
    COptionsWorld world;
    world.Doc().MinAge = 45;
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 HWND hPage = ShowPage(hSheet, AGE_PAGE);
                 ASSERT_NE(hPage, nullptr);
                 EXPECT_EQ(TabTexts(hSheet).back(), L"Age");
                 EXPECT_EQ(ItemTextA(hPage, IDC_AGE_ONLY_OLD),
                           "Only files not changed for at least");
                 EXPECT_EQ(ItemTextA(hPage, IDC_AGE_DAYS_LABEL), "days");
                 EXPECT_TRUE(Checked(hPage, IDC_AGE_ONLY_OLD));
                 EXPECT_EQ(ItemTextA(hPage, IDC_AGE_DAYS), "45");
                 EXPECT_TRUE(Enabled(hPage, IDC_AGE_DAYS));
                 HWND hSpin = SpinOf(sheet);
                 int nLow = 0;
                 int nHigh = 0;
                 SendMessageW(hSpin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLow),
                              reinterpret_cast<LPARAM>(&nHigh));
                 EXPECT_EQ(nLow, 1);
                 EXPECT_EQ(nHigh, 3650);
                 EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(hSpin, UDM_GETBUDDY, 0, 0)),
                           GetDlgItem(hPage, IDC_AGE_DAYS));
                 // The up arrow key in the field steps the days.
                 SendMessageW(GetDlgItem(hPage, IDC_AGE_DAYS), WM_KEYDOWN, VK_UP, 0);
                 EXPECT_EQ(ItemTextA(hPage, IDC_AGE_DAYS), "46");

                 ClickItem(hPage, IDC_AGE_ONLY_OLD);
                 EXPECT_FALSE(Checked(hPage, IDC_AGE_ONLY_OLD));
                 EXPECT_FALSE(Enabled(hPage, IDC_AGE_DAYS));
                 EXPECT_FALSE(Enabled(hPage, IDC_AGE_DAYS_LABEL));
                 EXPECT_FALSE(IsWindowEnabled(hSpin));
                 ClickItem(hPage, IDC_AGE_ONLY_OLD);
                 EXPECT_TRUE(Enabled(hPage, IDC_AGE_DAYS));
                 ClickItem(hSheet, IDCANCEL);
             });
    EXPECT_EQ(world.Doc().MinAge, 45);

    world.Doc().MinAge = 0;
    COptionsSheet off(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    RunSheet(off,
             [&](HWND hSheet)
             {
                 HWND hPage = ShowPage(hSheet, AGE_PAGE);
                 EXPECT_FALSE(Checked(hPage, IDC_AGE_ONLY_OLD));
                 EXPECT_EQ(ItemTextA(hPage, IDC_AGE_DAYS), std::to_string(AGE_DAYS_SHOWN_WHEN_OFF));
                 EXPECT_FALSE(Enabled(hPage, IDC_AGE_DAYS));
                 ClickItem(hSheet, IDCANCEL);
             });
}

TEST_F(AgePageTest, CopyOutOnOkIsStoredAndReadBack)
{
    COptionsWorld world;
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    EXPECT_TRUE(RunSheet(sheet,
                         [&](HWND hSheet)
                         {
                             HWND hPage = ShowPage(hSheet, AGE_PAGE);
                             ClickItem(hPage, IDC_AGE_ONLY_OLD);
                             SetDlgItemTextA(hPage, IDC_AGE_DAYS, "90");
                             ClickItem(hSheet, IDOK);
                         }));
    EXPECT_EQ(world.Doc().MinAge, 90);
    world.Restart();
    EXPECT_EQ(world.Doc().MinAge, 90);

    COptionsSheet again(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    EXPECT_TRUE(RunSheet(again,
                         [&](HWND hSheet)
                         {
                             HWND hPage = ShowPage(hSheet, AGE_PAGE);
                             EXPECT_EQ(ItemTextA(hPage, IDC_AGE_DAYS), "90");
                             ClickItem(hPage, IDC_AGE_ONLY_OLD);
                             ClickItem(hSheet, IDOK);
                         }));
    world.Restart();
    EXPECT_EQ(world.Doc().MinAge, 0);
}

TEST_F(AgePageTest, DaysOutOfRangeKeepThePage)
{
    COptionsWorld world;
    world.Doc().MinAge = 10;
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, Scripted(world));
    const bool bOk =
        RunSheet(sheet,
                 [&](HWND hSheet)
                 {
                     HWND hPage = ShowPage(hSheet, AGE_PAGE);
                     SetDlgItemTextA(hPage, IDC_AGE_DAYS, "0");
                     EXPECT_EQ(ShowPage(hSheet, 0), nullptr);
                     EXPECT_EQ(CurrentIndex(hSheet), AGE_PAGE);
                     ClickItem(hSheet, IDOK);
                     EXPECT_TRUE(IsWindowVisible(hSheet));
                     SetDlgItemTextA(hPage, IDC_AGE_DAYS, "3651");
                     EXPECT_EQ(ShowPage(hSheet, 0), nullptr);
                     EXPECT_EQ(world.m_messageBox.Texts(), Strings(3, TEXT_AGE_DAYS_RANGE));
                     ClickItem(hPage, IDC_AGE_ONLY_OLD); // off: anything goes
                     ClickItem(hSheet, IDOK);
                 });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(world.Doc().MinAge, 0);
}
