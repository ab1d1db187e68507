#pragma once

#include <functional>
#include <windows.h>

// Runs the calling thread's message loop for nMs milliseconds (timers,
// posted messages, painting), as the program's loop would between events.
inline void PumpMessagesFor(DWORD nMs)
{
    const ULONGLONG nEnd = GetTickCount64() + nMs;
    for (ULONGLONG nNow = GetTickCount64(); nNow < nEnd; nNow = GetTickCount64())
    {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(nEnd - nNow), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// Runs the loop until done() holds or nTimeoutMs has passed; true when it held.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD nTimeoutMs = 5000)
{
    const ULONGLONG nEnd = GetTickCount64() + nTimeoutMs;
    while (!done())
    {
        if (GetTickCount64() >= nEnd)
            return false;
        PumpMessagesFor(10);
    }
    return true;
}
