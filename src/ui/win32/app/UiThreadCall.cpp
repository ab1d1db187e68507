#include "ui/win32/app/UiThreadCall.h"

void CallOnUiThread(HWND hTarget, const std::function<void()>& call)
{
    if (GetWindowThreadProcessId(hTarget, nullptr) == GetCurrentThreadId())
    {
        call();
        return;
    }
    SendMessageW(hTarget, WM_UI_THREAD_CALL, 0, reinterpret_cast<LPARAM>(&call));
}

LRESULT RunUiThreadCall(LPARAM lParam)
{
    const auto* pCall = reinterpret_cast<const std::function<void()>*>(lParam);
    if (pCall != nullptr && *pCall)
        (*pCall)();
    return 0;
}
