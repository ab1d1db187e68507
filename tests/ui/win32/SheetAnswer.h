#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

// Answers the next modal window of the calling thread (a dialog, a property
// sheet or a message box: class "#32770") once it is up. Arm it before the
// call that blocks:
//
//   AnswerSheet([](HWND hSheet) { ... ClickItem(hSheet, IDOK); });
//   sheet.DoModal(nullptr);
//
// A thread timer polls every 20 ms (the modal loop dispatches it) for a
// visible, enabled top-level dialog of this thread that was not there when
// the answer was armed, optionally with a given title, and hands it to the
// answer once. Armed answers take their dialogs in the order they were
// armed; an answer may arm the next one and then open it (nested modal
// loops). After nTimeoutMs without its dialog an answer is dropped and
// counted in SheetAnswersMissed().
namespace sheet_answer
{
struct SWaiting
{
    std::function<void(HWND)> answer;
    std::set<HWND> before;
    std::wstring strTitle;
    DWORD nDeadline = 0;
};

inline std::map<UINT_PTR, SWaiting>& Waiting()
{
    static std::map<UINT_PTR, SWaiting> waiting;
    return waiting;
}

inline int& Missed()
{
    static int nMissed = 0;
    return nMissed;
}

inline std::wstring ClassOf(HWND hWnd)
{
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    return szClass;
}

inline BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    if (ClassOf(hWnd) == L"#32770")
        reinterpret_cast<std::set<HWND>*>(lParam)->insert(hWnd);
    return TRUE;
}

inline std::set<HWND> ThreadDialogs()
{
    std::set<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

inline void CALLBACK Poll(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    auto found = Waiting().find(nTimer);
    if (found == Waiting().end() || found != Waiting().begin())
        return; // only the oldest answer takes a dialog
    SWaiting& waiting = found->second;
    HWND hDialog = nullptr;
    for (HWND hWnd : ThreadDialogs())
    {
        if (waiting.before.count(hWnd) != 0 || !IsWindowVisible(hWnd) || !IsWindowEnabled(hWnd))
            continue;
        wchar_t szTitle[256] = {};
        GetWindowTextW(hWnd, szTitle, 256);
        if (!waiting.strTitle.empty() && waiting.strTitle != szTitle)
            continue;
        hDialog = hWnd;
        break;
    }
    if (hDialog == nullptr && static_cast<LONG>(GetTickCount() - waiting.nDeadline) < 0)
        return;
    KillTimer(nullptr, nTimer);
    std::function<void(HWND)> answer = std::move(waiting.answer);
    Waiting().erase(found);
    if (hDialog == nullptr)
    {
        ++Missed();
        return;
    }
    answer(hDialog);
}
} // namespace sheet_answer

inline void AnswerSheet(std::function<void(HWND)> answer, std::wstring strTitle = {},
                        DWORD nTimeoutMs = 10000)
{
    using namespace sheet_answer;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 20, Poll);
    Waiting()[nTimer] = SWaiting{std::move(answer), ThreadDialogs(), std::move(strTitle),
                                 GetTickCount() + nTimeoutMs};
}

// How many armed answers never met their dialog.
inline int SheetAnswersMissed()
{
    return sheet_answer::Missed();
}

// Clicks a button of a dialog or page as the user would.
inline void ClickItem(HWND hDialog, int nId)
{
    SendMessageW(GetDlgItem(hDialog, nId), BM_CLICK, 0, 0);
}

// Runs the thread's messages for nMs milliseconds (timers, paints).
inline void PumpMessages(DWORD nMs)
{
    const DWORD nEnd = GetTickCount() + nMs;
    while (static_cast<LONG>(GetTickCount() - nEnd) < 0)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

// The labels of a dialog whose text is cut off (the wrapped text needs more
// height than the label has).
inline std::vector<std::wstring> CutLabels(HWND hDialog, int (*fnNeeded)(HWND))
{
    std::vector<std::wstring> cut;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        RECT client{};
        GetClientRect(hChild, &client);
        if (!IsWindowVisible(hChild) || fnNeeded(hChild) <= client.bottom)
            continue;
        wchar_t szText[512] = {};
        GetWindowTextW(hChild, szText, 512);
        cut.push_back(szText);
    }
    return cut;
}

// The texts of a dialog's static controls, in order (a message box's text).
inline std::vector<std::wstring> StaticTexts(HWND hDialog)
{
    std::vector<std::wstring> texts;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        if (_wcsicmp(sheet_answer::ClassOf(hChild).c_str(), L"Static") != 0)
            continue;
        wchar_t szText[1024] = {};
        GetWindowTextW(hChild, szText, 1024);
        if (szText[0] != L'\0')
            texts.push_back(szText);
    }
    return texts;
}
