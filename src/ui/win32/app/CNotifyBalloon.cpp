#include "ui/win32/app/CNotifyBalloon.h"

#include "ui/rules/UnattendedRun.h"
#include "ui/win32/dialogs/WideText.h"

#include <algorithm>
#include <cwchar>

namespace
{
constexpr const wchar_t* CLASS_NAME = L"SXNotifyBalloon";

// Copies the text into a fixed field of the icon's data, cut to fit.
template <size_t N> void CopyField(wchar_t (&field)[N], const std::wstring& strText)
{
    const size_t nLength = std::min(strText.size(), N - 1);
    std::wmemcpy(field, strText.c_str(), nLength);
    field[nLength] = L'\0';
}
} // namespace

CNotifyBalloon::CNotifyBalloon()
{
    const HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &CNotifyBalloon::WindowProc;
    windowClass.hInstance = hInstance;
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassExW(&windowClass); // fails harmlessly when already registered
    // A hidden window of its own: it outlives the frame, whose end does not
    // take the balloon away.
    m_hWnd = CreateWindowExW(0, CLASS_NAME, L"Scrubix", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             hInstance, nullptr);
    if (m_hWnd != nullptr)
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CNotifyBalloon::~CNotifyBalloon()
{
    if (m_bShowing)
    {
        NOTIFYICONDATAW data = BalloonData(m_hWnd, "");
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
    if (m_hWnd != nullptr)
    {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

NOTIFYICONDATAW CNotifyBalloon::BalloonData(HWND hWnd, const std::string& strText)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hWnd;
    data.uID = ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    data.uCallbackMessage = CALLBACK_MESSAGE;
    // The program's icon (resource 128), else the system's application icon.
    data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    if (data.hIcon == nullptr)
        data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
    CopyField(data.szTip, WideFromUtf8(NOTICE_TITLE));
    CopyField(data.szInfoTitle, WideFromUtf8(NOTICE_TITLE));
    CopyField(data.szInfo, WideFromUtf8(strText));
    data.dwInfoFlags = NIIF_INFO;
    return data;
}

bool CNotifyBalloon::Show(const std::string& strText, std::function<void()> onClick,
                          std::function<void()> onDone)
{
    if (m_hWnd == nullptr || m_bShowing)
        return false;
    NOTIFYICONDATAW data = BalloonData(m_hWnd, strText);
    if (!Shell_NotifyIconW(NIM_ADD, &data))
        return false;
    m_onClick = std::move(onClick);
    m_onDone = std::move(onDone);
    m_bShowing = true;
    SetTimer(m_hWnd, WAIT_TIMER_ID, NOTICE_ACTION_WAIT_MS, nullptr);
    return true;
}

void CNotifyBalloon::Finish(bool bClicked)
{
    if (!m_bShowing)
        return;
    m_bShowing = false;
    KillTimer(m_hWnd, WAIT_TIMER_ID);
    NOTIFYICONDATAW data = BalloonData(m_hWnd, "");
    Shell_NotifyIconW(NIM_DELETE, &data);
    if (bClicked && m_onClick)
        m_onClick();
    if (m_onDone)
        m_onDone();
}

LRESULT CALLBACK CNotifyBalloon::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pBalloon = reinterpret_cast<CNotifyBalloon*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pBalloon != nullptr)
    {
        if (nMessage == CALLBACK_MESSAGE && wParam == ICON_ID)
        {
            // The icon's events come in lParam (the shell's first version).
            switch (static_cast<UINT>(lParam))
            {
            case NIN_BALLOONUSERCLICK:
                pBalloon->Finish(true);
                return 0;
            case NIN_BALLOONTIMEOUT:
            case NIN_BALLOONHIDE:
                pBalloon->Finish(false);
                return 0;
            default:
                return 0;
            }
        }
        if (nMessage == WM_TIMER && wParam == WAIT_TIMER_ID)
        {
            pBalloon->Finish(false);
            return 0;
        }
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}
