#include "CStaticLink.h"

#include "platform/IShell.h"
#include "ui/win32/dialogs/WideText.h"

#include <chrono>
#include <vector>

namespace
{
// Polls an open whose outcome comes later (the shell may learn only after the
// opener has ended whether the target opened).
constexpr UINT_PTR OUTCOME_TIMER_ID = 103;
constexpr UINT OUTCOME_POLL_MS = 50;

std::wstring WindowTextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1, L'\0');
    GetWindowTextW(hWnd, text.data(), nLength + 1);
    return text.data();
}

HCURSOR HandCursor()
{
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)); // IDC_HAND
}

HCURSOR ArrowCursor()
{
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
}
} // namespace

bool CStaticLink::Register()
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), CLASS_NAME, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = ArrowCursor();
    windowClass.hbrBackground = nullptr; // the parent's background shows through
    windowClass.lpszClassName = CLASS_NAME;
    return RegisterClassExW(&windowClass) != 0;
}

CStaticLink* CStaticLink::FromWindow(HWND hWnd)
{
    wchar_t szClass[64] = {};
    if (hWnd == nullptr || GetClassNameW(hWnd, szClass, 64) == 0 ||
        std::wstring(szClass) != CLASS_NAME)
        return nullptr;
    return reinterpret_cast<CStaticLink*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

void CStaticLink::SetVisitedFlag(int* pbVisited)
{
    m_pbVisited = pbVisited;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT CALLBACK CStaticLink::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_NCCREATE)
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new CStaticLink(hWnd)));
    auto* pLink = reinterpret_cast<CStaticLink*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pLink == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    if (nMessage == WM_NCDESTROY)
    {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        delete pLink;
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    return pLink->OnMessage(nMessage, wParam, lParam);
}

LRESULT CStaticLink::OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_SETFONT:
        SetFont(reinterpret_cast<HFONT>(wParam));
        if (LOWORD(lParam) != 0)
            InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_SETTEXT:
    {
        const LRESULT nResult = DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return nResult;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // drawn transparent in WM_PAINT
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        // Enter reaches the focused link instead of pressing OK.
        if (lParam != 0)
        {
            const auto* pMessage = reinterpret_cast<const MSG*>(lParam);
            if (pMessage->message == WM_KEYDOWN && pMessage->wParam == VK_RETURN)
                return DLGC_WANTMESSAGE;
        }
        return DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN)
        {
            Click();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ' || wParam == L'\r')
            return 0; // already handled on the key going down
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_LBUTTONDOWN:
        m_bPressed = true;
        return 0;
    case WM_LBUTTONUP:
    {
        const bool bPressed = m_bPressed;
        m_bPressed = false;
        RECT client{};
        GetClientRect(m_hWnd, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (bPressed && PtInRect(&client, point))
            Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_bCaptured = false;
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_DESTROY:
        KillTimer(m_hWnd, LAUNCH_TIMER_ID);
        KillTimer(m_hWnd, OUTCOME_TIMER_ID);
        if (m_hUnderlined != nullptr)
            DeleteObject(m_hUnderlined);
        m_hUnderlined = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
}

void CStaticLink::SetFont(HFONT hFont)
{
    m_hFont = hFont;
    if (m_hUnderlined != nullptr)
        DeleteObject(m_hUnderlined);
    m_hUnderlined = nullptr;
    LOGFONTW description{};
    HGDIOBJ hSource = hFont != nullptr ? hFont : GetStockObject(DEFAULT_GUI_FONT);
    if (GetObjectW(hSource, sizeof(description), &description) != 0)
    {
        description.lfUnderline = TRUE;
        m_hUnderlined = CreateFontIndirectW(&description);
    }
}

void CStaticLink::OnPaint()
{
    PAINTSTRUCT paint{};
    HDC hDc = BeginPaint(m_hWnd, &paint);
    // The parent paints the background it shares with its statics.
    HWND hParent = GetParent(m_hWnd);
    auto hBrush = reinterpret_cast<HBRUSH>(SendMessageW(hParent, WM_CTLCOLORSTATIC,
                                                        reinterpret_cast<WPARAM>(hDc),
                                                        reinterpret_cast<LPARAM>(m_hWnd)));
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(hDc, &client, hBrush != nullptr ? hBrush : GetSysColorBrush(COLOR_BTNFACE));

    if (m_hUnderlined == nullptr)
        SetFont(m_hFont);
    HGDIOBJ hOld = m_hUnderlined != nullptr ? SelectObject(hDc, m_hUnderlined) : nullptr;
    SetTextColor(hDc, TextColour());
    SetBkMode(hDc, TRANSPARENT);
    const std::wstring strText = WindowTextOf(m_hWnd);
    RECT textRect = client;
    DrawTextW(hDc, strText.c_str(), static_cast<int>(strText.size()), &textRect,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == m_hWnd)
    {
        // The focus mark goes round the text, as on a push button's caption.
        RECT measured = client;
        DrawTextW(hDc, strText.c_str(), static_cast<int>(strText.size()), &measured,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        const LONG nWidth = measured.right - measured.left;
        RECT focus{(client.right - nWidth) / 2 - 1, client.top, (client.right + nWidth) / 2 + 1,
                   measured.bottom};
        IntersectRect(&focus, &focus, &client);
        DrawFocusRect(hDc, &focus);
    }
    if (hOld != nullptr)
        SelectObject(hDc, hOld);
    EndPaint(m_hWnd, &paint);
}

void CStaticLink::OnMouseMove(POINT point)
{
    if (m_bLaunched)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const bool bInside = PtInRect(&client, point) != FALSE;
    if (!m_bCaptured && bInside)
    {
        m_bCaptured = true;
        SetCapture(m_hWnd);
        SetCursor(HandCursor());
    }
    else if (m_bCaptured && !bInside)
    {
        m_bCaptured = false;
        ReleaseCapture();
        SetCursor(ArrowCursor());
    }
    else if (m_bCaptured)
    {
        SetCursor(HandCursor());
    }
}

void CStaticLink::Click()
{
    if (m_strLink.empty())
        m_strLink = Utf8FromWide(WindowTextOf(m_hWnd));
    if (!m_strMailLocalPart.empty() &&
        m_strLink.find(m_strMailLocalPart + "@") != std::string::npos &&
        m_strLink.rfind("mailto:", 0) != 0)
        m_strLink.insert(0, "mailto:");

    if (m_bCaptured)
    {
        m_bCaptured = false;
        ReleaseCapture();
    }
    m_bLaunched = true;
    SetTimer(m_hWnd, LAUNCH_TIMER_ID, LAUNCH_PERIOD_MS, nullptr);

    if (m_pShell == nullptr)
    {
        Opened(false);
        return;
    }
    std::future<bool> outcome = m_pShell->OpenWithOutcome(m_strLink);
    if (outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
    {
        Opened(outcome.get());
        return;
    }
    // The window goes on meanwhile; the outcome is read when it is there.
    m_pending = std::move(outcome);
    SetTimer(m_hWnd, OUTCOME_TIMER_ID, OUTCOME_POLL_MS, nullptr);
}

void CStaticLink::Opened(bool bOpened)
{
    if (!bOpened)
    {
        // The link stays unvisited and can be clicked again.
        if (m_beep)
            m_beep();
        else
            MessageBeep(MB_OK);
        return;
    }
    if (m_pbVisited != nullptr)
        *m_pbVisited = 1;
    SetCursor(ArrowCursor());
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CStaticLink::OnTimer(UINT_PTR nTimer)
{
    if (nTimer == LAUNCH_TIMER_ID)
    {
        KillTimer(m_hWnd, LAUNCH_TIMER_ID);
        m_bLaunched = false;
    }
    else if (nTimer == OUTCOME_TIMER_ID && m_pending &&
             m_pending->wait_for(std::chrono::seconds(0)) == std::future_status::ready)
    {
        KillTimer(m_hWnd, OUTCOME_TIMER_ID);
        const bool bOpened = m_pending->get();
        m_pending.reset();
        Opened(bOpened);
    }
}
