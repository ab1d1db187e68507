// The first-start Welcome dialog as a real window: the buttons and keys and
// the results they give, help that leaves the dialog open and beeps when the
// page cannot be opened, and the frame without a close box.

#include "ModalAnswer.h"
#include "platform/IShell.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/dialogs/CWelcomeDialog.h"

#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace
{
// Records what it is asked to open; the outcome is given at once, or later
// through the promise when m_bLater is set.
class CRecordingOpenShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string& strTarget) override
    {
        m_opened.push_back(strTarget);
        return m_bSucceed;
    }
    std::future<bool> OpenWithOutcome(const std::string& strTarget) override
    {
        if (!m_bLater)
            return IShell::OpenWithOutcome(strTarget);
        m_opened.push_back(strTarget);
        m_later = std::promise<bool>();
        return m_later.get_future();
    }

    bool m_bSucceed = true;
    bool m_bLater = false;
    std::promise<bool> m_later;
    std::vector<std::string> m_opened;
};

const std::string kHelp = "C:\\Program Files\\Scrubix\\help\\index.html#dispose";

struct SChoiceCase
{
    const char* pszName;
    int nButton; // clicked, or 0
    UINT nKey;   // pressed, or 0
    INT_PTR nResult;
    bool bMove;
};

class WelcomeDialogChoice : public ::testing::TestWithParam<SChoiceCase>
{
};
} // namespace

TEST_P(WelcomeDialogChoice, ButtonsAndKeysGiveTheChoice)
{
    const SChoiceCase& choice = GetParam();
    CRecordingOpenShell shell;
    CWelcomeDialog welcome(shell, kHelp);
    int nFocusAtStart = 0;
    bool bSysMenu = true;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            nFocusAtStart = GetDlgCtrlID(GetFocus());
            bSysMenu = (GetWindowLongW(hDialog, GWL_STYLE) & WS_SYSMENU) != 0;
            if (choice.nButton != 0)
                ClickDialogButton(hDialog, choice.nButton);
            else
                PressDialogKey(hDialog, choice.nKey);
        });
    const INT_PTR nResult = welcome.DoModal(nullptr);
    EXPECT_EQ(nResult, choice.nResult);
    EXPECT_EQ(CWelcomeDialog::ChoosesMove(nResult), choice.bMove);
    EXPECT_FALSE(bSysMenu); // no close box: the user must choose
    EXPECT_EQ(nFocusAtStart, ID_RESULT_OK);
    EXPECT_TRUE(shell.m_opened.empty());
    EXPECT_EQ(welcome.Window(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, WelcomeDialogChoice,
    ::testing::Values(SChoiceCase{"DeletionButton", ID_RESULT_OK, 0, IDOK, false},
                      SChoiceCase{"RecycleBinButton", ID_RESULT_CANCEL, 0, IDCANCEL, true},
                      SChoiceCase{"Enter", 0, VK_RETURN, IDOK, false},
                      SChoiceCase{"Esc", 0, VK_ESCAPE, IDCANCEL, true}),
    [](const ::testing::TestParamInfo<SChoiceCase>& param) { return param.param.pszName; });

TEST(WelcomeDialog, HelpOpensTheTargetAndLeavesTheDialogOpen)
{
    CRecordingOpenShell shell;
    CWelcomeDialog welcome(shell, kHelp);
    int nBeeps = 0;
    welcome.SetBeep([&] { ++nBeeps; });
    bool bOpenAfterHelp = false;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            ClickDialogButton(hDialog, IDC_WELCOME_HELP);
            ClickDialogButton(hDialog, IDC_WELCOME_HELP);
            bOpenAfterHelp = IsWindow(hDialog) && IsWindowVisible(hDialog);
            ClickDialogButton(hDialog, ID_RESULT_CANCEL);
        });
    EXPECT_EQ(welcome.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(bOpenAfterHelp);
    EXPECT_EQ(shell.m_opened, (std::vector<std::string>{kHelp, kHelp}));
    EXPECT_EQ(nBeeps, 0);
}

TEST(WelcomeDialog, HelpThatCannotBeOpenedBeeps)
{
    CRecordingOpenShell shell;
    shell.m_bSucceed = false;
    CWelcomeDialog welcome(shell, kHelp);
    int nBeeps = 0;
    welcome.SetBeep([&] { ++nBeeps; });
    int nBeepsWhileOpen = -1;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            ClickDialogButton(hDialog, IDC_WELCOME_HELP);
            nBeepsWhileOpen = IsWindow(hDialog) ? nBeeps : -1;
            ClickDialogButton(hDialog, ID_RESULT_OK);
        });
    EXPECT_EQ(welcome.DoModal(nullptr), IDOK);
    EXPECT_EQ(nBeepsWhileOpen, 1);
    EXPECT_EQ(nBeeps, 1);

    // No help page at all: nothing to open, a beep.
    CRecordingOpenShell quietShell;
    CWelcomeDialog noHelp(quietShell, "");
    nBeeps = 0;
    noHelp.SetBeep([&] { ++nBeeps; });
    AnswerNextModal(
        [&](HWND hDialog)
        {
            ClickDialogButton(hDialog, IDC_WELCOME_HELP);
            ClickDialogButton(hDialog, ID_RESULT_OK);
        });
    EXPECT_EQ(noHelp.DoModal(nullptr), IDOK);
    EXPECT_TRUE(quietShell.m_opened.empty());
    EXPECT_EQ(nBeeps, 1);
}

TEST(WelcomeDialog, AFailureKnownOnlyLaterStillBeepsWhileTheDialogIsUp)
{
    CRecordingOpenShell shell;
    shell.m_bLater = true;
    CWelcomeDialog welcome(shell, kHelp);
    int nBeeps = 0;
    welcome.SetBeep([&] { ++nBeeps; });
    int nBeepsAtClick = -1;
    int nBeepsBeforeChoice = -1;
    AnswerNextModal(
        [&](HWND hDialog)
        {
            ClickDialogButton(hDialog, IDC_WELCOME_HELP);
            nBeepsAtClick = nBeeps;
            shell.m_later.set_value(false); // the opener reports its failure afterwards
            RunLater(4 * CWelcomeDialog::OPEN_POLL_MS,
                     [&, hDialog]
                     {
                         nBeepsBeforeChoice = nBeeps;
                         ClickDialogButton(hDialog, ID_RESULT_OK);
                     });
        });
    EXPECT_EQ(welcome.DoModal(nullptr), IDOK);
    EXPECT_EQ(nBeepsAtClick, 0);
    EXPECT_EQ(nBeepsBeforeChoice, 1);
    EXPECT_EQ(nBeeps, 1);
}
