#include "ui/win32/app/CWindowPrompt.h"

#include "ui/rules/FrameTexts.h"
#include "ui/win32/app/UiThreadCall.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"

CWindowPrompt::CWindowPrompt(std::function<HWND()> frame, std::function<bool(bool&)> confirmPurge,
                             std::function<void(bool)> waitCursor)
    : m_frame(std::move(frame)), m_confirmPurge(std::move(confirmPurge)),
      m_waitCursor(std::move(waitCursor))
{
}

void CWindowPrompt::ShowAckTimeout()
{
    CallOnUiThread(m_frame(), [] { ShowScrubixMessage(nullptr, ACK_TIMEOUT_TEXT); });
}

void CWindowPrompt::ShowMessage(const std::string& strText)
{
    CallOnUiThread(m_frame(), [&] { ShowScrubixMessage(nullptr, strText, MB_ICONWARNING); });
}

bool CWindowPrompt::ConfirmPurge(bool& bDontShowAgain)
{
    bool bYes = false;
    bool bDontShow = false;
    CallOnUiThread(m_frame(), [&] { bYes = m_confirmPurge(bDontShow); });
    bDontShowAgain = bDontShow;
    return bYes;
}

void CWindowPrompt::BeginWaitCursor()
{
    CallOnUiThread(m_frame(), [this] { m_waitCursor(true); });
}

void CWindowPrompt::EndWaitCursor()
{
    CallOnUiThread(m_frame(), [this] { m_waitCursor(false); });
}
