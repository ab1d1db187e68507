#include "platform/win32/Win32Handle.h"

#include <windows.h>

void CWin32Handle::Reset(void* hHandle)
{
    if (IsOpen())
        ::CloseHandle(m_hHandle);
    m_hHandle = hHandle;
}
