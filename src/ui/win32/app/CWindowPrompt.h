#pragma once

#include "platform/IUserPrompt.h"

#include <functional>
#include <windows.h>

// The workers' modal boxes in the window: each runs on the user-interface
// thread (CallOnUiThread through the frame) while only the asking worker
// waits for the answer.
class CWindowPrompt : public IUserPrompt
{
public:
    // frame: gives the frame's window, which outlives every worker.
    // confirmPurge shows the Purge Warning (true for Yes). waitCursor turns
    // the frame's wait cursor on (true) or off.
    CWindowPrompt(std::function<HWND()> frame, std::function<bool(bool&)> confirmPurge,
                  std::function<void(bool)> waitCursor);

    void ShowAckTimeout() override;
    bool ConfirmPurge(bool& bDontShowAgain) override;
    void ShowMessage(const std::string& strText) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    std::function<HWND()> m_frame;
    std::function<bool(bool&)> m_confirmPurge;
    std::function<void(bool)> m_waitCursor;
};
