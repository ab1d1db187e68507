#include "Win32AppSandbox.h"

#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/win32/dialogs/WideText.h"

#include <algorithm>
#include <chrono>

namespace
{
template <typename TUse> auto WithStore(TUse&& use)
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    return use(store);
}

CModalAnswerer* s_pAnswerer = nullptr;

std::string ClassOf(HWND hWnd)
{
    char szClass[64] = {};
    GetClassNameA(hWnd, szClass, 64);
    return szClass;
}

std::string WithoutAmpersands(std::string strText)
{
    strText.erase(std::remove(strText.begin(), strText.end(), '&'), strText.end());
    return strText;
}

struct SFoundBox
{
    HWND hBox = nullptr;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    // A modal box: a visible, enabled dialog other than the progress window,
    // which is modeless and has no buttons.
    if (ClassOf(hWnd) != "#32770" || !IsWindowVisible(hWnd) || !IsWindowEnabled(hWnd) ||
        TextOf(hWnd) == "File Moving Progress")
        return TRUE;
    reinterpret_cast<SFoundBox*>(lParam)->hBox = hWnd;
    return FALSE;
}
} // namespace

CWin32AppSandbox::~CWin32AppSandbox()
{
    Stop();
}

void CWin32AppSandbox::SetInt(const std::string& strSection, const std::string& strName,
                              int32_t nValue)
{
    WithStore([&](CSettingsStore& store) { return store.SetInt(strSection, strName, nValue); });
}

void CWin32AppSandbox::SetString(const std::string& strSection, const std::string& strName,
                                 const std::string& strValue)
{
    WithStore([&](CSettingsStore& store)
              { return store.SetString(strSection, strName, strValue); });
}

int32_t CWin32AppSandbox::GetInt(const std::string& strSection, const std::string& strName,
                                 int32_t nDefault)
{
    return WithStore([&](CSettingsStore& store)
                     { return store.GetInt(strSection, strName, nDefault); });
}

std::string CWin32AppSandbox::GetString(const std::string& strSection, const std::string& strName)
{
    return WithStore([&](CSettingsStore& store)
                     { return store.GetString(strSection, strName, ""); });
}

void CWin32AppSandbox::SkipFirstRun()
{
    SetInt("Settings", "Newbie", 0);
    SetInt("Settings", "23", 1);
}

CScrubixApp* CWin32AppSandbox::Start(const std::string& strArguments, SFrameHooks hooks)
{
    *m_pEnded = false;
    std::shared_ptr<bool> pEnded = m_pEnded;
    hooks.onDestroyed = [pEnded] { *pEnded = true; };
    SPlatform platform = CreatePlatform();
    if (m_adjust)
        m_adjust(platform);
    m_pApp = std::make_unique<CScrubixApp>(std::move(platform), std::move(hooks));
    if (m_bBalloon)
        m_pApp->EnableNotifyBalloon();
    if (!m_pApp->InitInstance(strArguments))
    {
        m_pApp.reset();
        return nullptr;
    }
    return m_pApp.get();
}

bool CWin32AppSandbox::WaitForEnd(int nTimeoutMs)
{
    return PumpUntil([this] { return Ended(); }, nTimeoutMs, m_pApp.get());
}

void CWin32AppSandbox::Stop()
{
    if (m_pApp == nullptr)
        return;
    // A worker still running is asked to stop and then joined by the view.
    if (m_pApp->Frame() != nullptr && m_pApp->Frame()->Window() != nullptr)
    {
        PostMessageW(m_pApp->Frame()->Window(), WM_CLOSE, 0, 0);
        WaitForEnd(20000);
    }
    m_pApp.reset();
}

bool PumpUntil(const std::function<bool()>& done, int nTimeoutMs, CScrubixApp* pApp)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (!done())
    {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MSG msg{};
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                continue;
            if (pApp != nullptr)
                pApp->DispatchOne(msg);
            else
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(int nMilliseconds, CScrubixApp* pApp)
{
    PumpUntil([] { return false; }, nMilliseconds, pApp);
}

std::string TextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    GetWindowTextW(hWnd, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(nLength));
    return Utf8FromWide(strText);
}

bool IsShown(HWND hWnd)
{
    return (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsEnabled(HWND hWnd)
{
    return IsWindowEnabled(hWnd) != FALSE;
}

CModalAnswerer::CModalAnswerer()
{
    s_pAnswerer = this;
    m_nTimer = SetTimer(nullptr, 0, 30, OnTimer);
}

CModalAnswerer::~CModalAnswerer()
{
    KillTimer(nullptr, m_nTimer);
    s_pAnswerer = nullptr;
}

void CALLBACK CModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pAnswerer != nullptr)
        s_pAnswerer->Poll();
}

void CModalAnswerer::Poll()
{
    if (m_bBusy)
        return;
    SFoundBox found;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&found));
    if (found.hBox == nullptr || found.hBox == m_hLastAnswered)
        return;
    m_bBusy = true;
    m_hLastAnswered = found.hBox;
    std::string strSeen = TextOf(found.hBox) + "|";
    std::vector<HWND> buttons;
    for (HWND hChild = GetWindow(found.hBox, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        const std::string strClass = ClassOf(hChild);
        if (strClass == "Static" && IsWindowVisible(hChild) && !TextOf(hChild).empty())
            strSeen += TextOf(hChild) + "\n";
        else if (strClass == "Button")
            buttons.push_back(hChild);
    }
    m_seen.push_back(strSeen);
    if (m_before)
        m_before();
    if (m_nTick != 0)
    {
        CheckDlgButton(found.hBox, m_nTick, BST_CHECKED);
        m_nTick = 0;
    }
    int nPress = 0;
    if (!m_planned.empty())
    {
        const std::string strWanted = m_planned.front();
        m_planned.erase(m_planned.begin());
        for (HWND hButton : buttons)
            if (WithoutAmpersands(TextOf(hButton)) == strWanted)
                nPress = GetDlgCtrlID(hButton);
    }
    if (nPress == 0)
        nPress = GetDlgItem(found.hBox, IDOK) != nullptr ? IDOK : IDCANCEL;
    PostMessageW(found.hBox, WM_COMMAND, MAKEWPARAM(nPress, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found.hBox, nPress)));
    m_bBusy = false;
}
