#pragma once

#include <functional>
#include <string>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

// The word left after an unattended run on Windows: a notification-area icon
// with one balloon. A click on the balloon runs onClick (open the report);
// the icon goes away when the balloon is clicked, closed or timed out, and at
// the latest after NOTICE_ACTION_WAIT_MS; then onDone runs.
// User-interface thread only; the thread must pump messages meanwhile.
class CNotifyBalloon
{
public:
    CNotifyBalloon();
    ~CNotifyBalloon(); // takes the icon away if it is still there
    CNotifyBalloon(const CNotifyBalloon&) = delete;
    CNotifyBalloon& operator=(const CNotifyBalloon&) = delete;

    // Adds the icon with the balloon (title "Scrubix", the UTF-8 text). False
    // when the shell refused it: nothing is shown and onDone never runs.
    bool Show(const std::string& strText, std::function<void()> onClick,
              std::function<void()> onDone);
    bool IsShowing() const { return m_bShowing; }
    HWND Window() const { return m_hWnd; }

    // The icon's data for the balloon: the text cut to what the shell takes.
    static NOTIFYICONDATAW BalloonData(HWND hWnd, const std::string& strText);

    static constexpr UINT CALLBACK_MESSAGE = WM_APP + 0x40;
    static constexpr UINT ICON_ID = 1;
    static constexpr UINT_PTR WAIT_TIMER_ID = 1;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void Finish(bool bClicked);

    HWND m_hWnd = nullptr;
    bool m_bShowing = false;
    std::function<void()> m_onClick;
    std::function<void()> m_onDone;
};
