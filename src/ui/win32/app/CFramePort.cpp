#include "ui/win32/app/CFramePort.h"

#undef PostMessage

void CFramePort::PostMessage(uint32_t nMessage, uintptr_t wParam)
{
    ::PostMessageW(m_hFrame, nMessage, static_cast<WPARAM>(wParam), 0);
}
