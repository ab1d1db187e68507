// The Purge Warning as a real window: Yes with and without the tick, and the
// answers that refuse (No, Esc, the close box) store nothing even when ticked.

#include "ModalAnswer.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/dialogs/CPurgeWarningDialog.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace
{
enum class EAnswer
{
    Yes,
    Enter,
    No,
    Esc,
    CloseBox,
};

struct SWarningCase
{
    const char* pszName;
    bool bTick;
    EAnswer eAnswer;
    bool bConfirmed;
    bool bDontShow;
};

class PurgeWarningAnswer : public ::testing::TestWithParam<SWarningCase>
{
};
} // namespace

TEST_P(PurgeWarningAnswer, ConfirmsAndReportsTheTick)
{
    const SWarningCase& answer = GetParam();
    bool bSysMenu = false;
    int nFocusId = 0;
    bool bTickAtStart = true;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            bSysMenu = (GetWindowLongW(hDialog, GWL_STYLE) & WS_SYSMENU) != 0;
            nFocusId = GetDlgCtrlID(GetFocus());
            bTickAtStart = IsDlgButtonChecked(hDialog, IDC_DONT_SHOW) == BST_CHECKED;
            if (answer.bTick)
                ClickDialogButton(hDialog, IDC_DONT_SHOW);
            switch (answer.eAnswer)
            {
            case EAnswer::Yes:
                ClickDialogButton(hDialog, ID_RESULT_OK);
                break;
            case EAnswer::No:
                ClickDialogButton(hDialog, ID_RESULT_CANCEL);
                break;
            case EAnswer::Enter:
                SetFocus(GetDlgItem(hDialog, ID_RESULT_OK));
                PressDialogKey(hDialog, VK_RETURN);
                break;
            case EAnswer::Esc:
                PressDialogKey(hDialog, VK_ESCAPE);
                break;
            case EAnswer::CloseBox:
                PostMessageW(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            }
        });
    bool bDontShow = !answer.bDontShow; // the call must set it either way
    EXPECT_EQ(CPurgeWarningDialog::Confirm(nullptr, bDontShow), answer.bConfirmed);
    EXPECT_EQ(bDontShow, answer.bDontShow);
    EXPECT_TRUE(bSysMenu);
    EXPECT_EQ(nFocusId, ID_RESULT_OK);
    EXPECT_FALSE(bTickAtStart);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PurgeWarningAnswer,
    ::testing::Values(SWarningCase{"YesTicked", true, EAnswer::Yes, true, true},
                      SWarningCase{"YesUnticked", false, EAnswer::Yes, true, false},
                      SWarningCase{"EnterTicked", true, EAnswer::Enter, true, true},
                      SWarningCase{"NoTicked", true, EAnswer::No, false, false},
                      SWarningCase{"EscTicked", true, EAnswer::Esc, false, false},
                      SWarningCase{"CloseBoxTicked", true, EAnswer::CloseBox, false, false}),
    [](const ::testing::TestParamInfo<SWarningCase>& param) { return param.param.pszName; });

TEST(PurgeWarningDialog, ShowsTheTickItIsGivenAndKeepsItOnNo)
{
    CPurgeWarningDialog warning;
    warning.m_bDontShow = true;
    bool bTickAtStart = false;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            bTickAtStart = IsDlgButtonChecked(hDialog, IDC_DONT_SHOW) == BST_CHECKED;
            ClickDialogButton(hDialog, IDC_DONT_SHOW); // untick, then refuse
            ClickDialogButton(hDialog, ID_RESULT_CANCEL);
        });
    EXPECT_EQ(warning.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(bTickAtStart);
    EXPECT_TRUE(warning.m_bDontShow);
}
