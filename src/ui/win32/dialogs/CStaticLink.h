#pragma once

#include <functional>
#include <future>
#include <optional>
#include <string>
#include <windows.h>

class IShell;

// A static text that is a link (window class "ScrubixStaticLink", the
// About box's Custom controls): drawn underlined in the dialog's font, blue
// until its target has been opened and purple after, with a pointing hand
// while the pointer is over it. While hovered it holds the mouse capture, so
// leaving it is noticed even over other controls. A click opens the target
// through the shell ("open"); for one second after a click (timer 102)
// pointer moves are ignored. A failed open beeps and the link stays
// unvisited. It is a tab stop; with the focus it shows a focus mark, and
// Space or Enter opens it. Its window text is its text, which is also its
// accessible name.
//
// The visited state lives in an integer flag owned by someone else (the
// application object, so it outlasts every About box); the link counts as
// visited when the flag is exactly 1. Set the flag and the shell before the
// control is first shown or clicked. The object belongs to its window and
// goes with it. User-interface thread only.
class CStaticLink
{
public:
    static constexpr const wchar_t* CLASS_NAME = L"ScrubixStaticLink";
    static constexpr UINT_PTR LAUNCH_TIMER_ID = 102;
    static constexpr UINT LAUNCH_PERIOD_MS = 1000;
    static constexpr COLORREF UNVISITED_COLOUR = RGB(0, 0, 255);
    static constexpr COLORREF VISITED_COLOUR = RGB(128, 0, 128);

    // Registers the window class once; true when it is there.
    static bool Register();
    // The link of a window of this class, or nullptr.
    static CStaticLink* FromWindow(HWND hWnd);

    HWND Window() const { return m_hWnd; }
    void SetVisitedFlag(int* pbVisited);
    void SetShell(IShell* pShell) { m_pShell = pShell; }
    // The target; empty means the control's own text is the target.
    void SetLink(const std::string& strLink) { m_strLink = strLink; }
    const std::string& Link() const { return m_strLink; }
    // Local part of the contact address: a target that holds it followed by
    // "@" is opened as a "mailto:" address.
    void SetMailLocalPart(const std::string& strLocalPart) { m_strMailLocalPart = strLocalPart; }
    // What a failed open does; the default is the system's message beep.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    bool IsCaptured() const { return m_bCaptured; }
    bool IsLaunched() const { return m_bLaunched; }
    bool IsVisited() const { return m_pbVisited != nullptr && *m_pbVisited == 1; }
    COLORREF TextColour() const { return IsVisited() ? VISITED_COLOUR : UNVISITED_COLOUR; }

private:
    explicit CStaticLink(HWND hWnd) : m_hWnd(hWnd) {}
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnMouseMove(POINT point);
    void OnTimer(UINT_PTR nTimer);
    void SetFont(HFONT hFont);
    void Click();
    void Opened(bool bOpened);

    HWND m_hWnd;
    int* m_pbVisited = nullptr;
    bool m_bCaptured = false;
    bool m_bLaunched = false;
    bool m_bPressed = false;
    std::string m_strLink;
    std::string m_strMailLocalPart;
    IShell* m_pShell = nullptr;
    std::function<void()> m_beep;
    std::optional<std::future<bool>> m_pending; // an open whose outcome is not known yet
    HFONT m_hFont = nullptr;                    // the dialog's font
    HFONT m_hUnderlined = nullptr;              // owned
};
