#include "ui/win32/app/CSingleInstance.h"

namespace
{
constexpr const wchar_t* STORE_PROPERTY = L"Scrubix.Store";

uint32_t HashName(const std::string& strName)
{
    // FNV-1a; never 0, as a window property of 0 is no mark.
    uint32_t nHash = 2166136261u;
    for (unsigned char ch : strName)
        nHash = (nHash ^ ch) * 16777619u;
    return nHash == 0 ? 1 : nHash;
}

struct SFind
{
    uint32_t nHash = 0;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindMarkedFrame(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<SFind*>(lParam);
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    if (lstrcmpW(szClass, CSingleInstance::FRAME_CLASS) != 0)
        return TRUE;
    if (reinterpret_cast<uintptr_t>(GetPropW(hWnd, STORE_PROPERTY)) != pFind->nHash)
        return TRUE;
    pFind->hFound = hWnd;
    return FALSE;
}
} // namespace

CSingleInstance::CSingleInstance(const std::string& strStoreName)
    : m_nStoreHash(HashName(strStoreName))
{
}

CSingleInstance::~CSingleInstance()
{
    if (m_hMutex != nullptr)
        CloseHandle(m_hMutex);
}

HWND CSingleInstance::FindRunningFrame() const
{
    SFind find;
    find.nHash = m_nStoreHash;
    EnumWindows(FindMarkedFrame, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

bool CSingleInstance::AskRunningCopyToShow()
{
    wchar_t szName[64] = {};
    wsprintfW(szName, L"Local\\Scrubix.%08X", m_nStoreHash);
    m_hMutex = CreateMutexW(nullptr, FALSE, szName);
    if (m_hMutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    if (m_hMutex != nullptr)
    {
        CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
    // The other copy may still be building its frame.
    const DWORD nStart = GetTickCount();
    HWND hFrame = FindRunningFrame();
    while (hFrame == nullptr && GetTickCount() - nStart < FIND_TIMEOUT_MS)
    {
        Sleep(50);
        hFrame = FindRunningFrame();
    }
    if (hFrame == nullptr)
        return true;
    ShowWindow(hFrame, IsIconic(hFrame) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(GetLastActivePopup(hFrame));
    return true;
}

void CSingleInstance::MarkFrame(HWND hFrame) const
{
    SetPropW(hFrame, STORE_PROPERTY,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(m_nStoreHash)));
}

void CSingleInstance::UnmarkFrame(HWND hFrame)
{
    RemovePropW(hFrame, STORE_PROPERTY);
}
