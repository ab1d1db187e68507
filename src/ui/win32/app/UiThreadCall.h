#pragma once

#include <functional>
#include <windows.h>

// The frame's private message that runs a call on its thread: lParam points
// to a std::function<void()>, which the frame calls and returns from.
constexpr UINT WM_UI_THREAD_CALL = WM_APP + 0x0100;

// Runs call on the thread of the window hTarget (the main frame: the
// user-interface thread) and returns when it is done. From a worker this is a
// SendMessage: only that worker waits, and the user-interface thread answers
// it also while it runs a modal dialog or message box (their loops take sent
// messages). On the window's own thread the call runs at once. The
// user-interface thread must never wait for a worker that may be inside this
// call. A window that is gone runs nothing.
void CallOnUiThread(HWND hTarget, const std::function<void()>& call);

// The frame's handler of WM_UI_THREAD_CALL.
LRESULT RunUiThreadCall(LPARAM lParam);
