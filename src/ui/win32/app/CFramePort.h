#pragma once

#include <windows.h>

// windows.h names PostMessage a macro; the port's member keeps its own name.
#pragma push_macro("PostMessage")
#undef PostMessage
#include "platform/IMessagePort.h"

// The workers' message port to the main frame: each message is posted to the
// frame's window (PostMessage, lParam 0), so the frame's window procedure
// takes them in posting order on the user-interface thread. Callable from any
// thread; never blocks. The frame window outlives every worker.
class CFramePort : public IMessagePort
{
public:
    CFramePort() = default;
    // The frame's window, set once it exists (before any worker starts).
    void SetTarget(HWND hFrame) { m_hFrame = hFrame; }
    HWND Target() const { return m_hFrame; }

    void PostMessage(uint32_t nMessage, uintptr_t wParam) override;

private:
    HWND m_hFrame = nullptr;
};

#pragma pop_macro("PostMessage")
