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

int64_t CWin32Clock::FileTimeNow()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                                now.dwLowDateTime);
}
