#include "platform/win32/CWin32Clock.h"

#include <windows.h>

uint32_t CWin32Clock::GetTickCount()
{
    return ::GetTickCount();
}

void CWin32Clock::Sleep(uint32_t nMilliseconds)
{
    ::Sleep(nMilliseconds);
}
