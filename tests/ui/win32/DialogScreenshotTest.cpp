// Not tests: the dialogs held open for scripts/screenshots-windows, which
// photographs each and answers it. Run only with
// --gtest_also_run_disabled_tests --gtest_filter='DialogScreenshot.*'.

#include "MessagePump.h"
#include "platform/IShell.h"
#include "ui/win32/dialogs/CProgressDialog.h"
#include "ui/win32/dialogs/CPurgeWarningDialog.h"
#include "ui/win32/dialogs/CWelcomeDialog.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace
{
class CNoShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string&) override { return false; }
};

// How long a dialog waits for the script before it gives up.
constexpr DWORD HOLD_MS = 20000;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    KillTimer(nullptr, nTimer);
    PostMessageW(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
}
} // namespace

TEST(DialogScreenshot, DISABLED_Welcome)
{
    CNoShell shell;
    CWelcomeDialog welcome(shell, "help.html");
    SetTimer(nullptr, 0, HOLD_MS, GiveUp);
    welcome.DoModal(nullptr);
}

TEST(DialogScreenshot, DISABLED_PurgeWarning)
{
    bool bDontShow = false;
    SetTimer(nullptr, 0, HOLD_MS, GiveUp);
    CPurgeWarningDialog::Confirm(nullptr, bDontShow);
}

TEST(DialogScreenshot, DISABLED_Progress)
{
    // A hidden owner, as the frame may be: the window shows centred on the screen.
    HWND hOwner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    {
        CProgressDialog progress(hOwner);
        progress.m_nTotal = 120;
        progress.Create();
        for (int i = 0; i < 47; ++i)
            progress.Step("C:\\Documents and Settings\\Pat\\Local Settings\\Application Data\\"
                          "Old Projects\\Quarterly Reports\\2024 drafts\\report-" +
                          std::to_string(i) + ".bak");
        // Esc and the close box do nothing: the window stays until the time is up.
        PumpMessagesFor(HOLD_MS / 4);
    }
    DestroyWindow(hOwner);
}
