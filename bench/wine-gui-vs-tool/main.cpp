// The Windows window's own timings, through its real frame on the display
// Wine gives it:
//
//   scrubix-bench-win32 search     Search pressed to WM_SEARCH_DONE handled
//   scrubix-bench-win32 list N     N candidates handed over one by one, as the
//                                  searching thread does, to Results
//
// Each prints one line of "name=value" figures for bench/wine-gui-vs-tool/run.
// The user-interface thread's stall is the longest single turn of its
// message loop (taking a message, with the sent messages and painting that
// come with it, and handling it); the time the loop sleeps waiting for a
// message is not a stall.
//
// Refuses to run unless drive C: is the only drive and lies in a folder
// named scrubix-..., and the settings live under a scratch registry key: it
// reads there and writes only its settings.
#include "../support/BenchPaths.h"
#include "platform/IMessagePort.h"
#include "platform/Platform.h"
#include "search/WaitForAck.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/win32/app/CScrubixApp.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <windows.h>

namespace
{
using CClock = std::chrono::steady_clock;

double MsSince(CClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

bool IsSandboxed()
{
    const char* pszDrives = std::getenv("SCRUBIX_DRIVES");
    const char* pszRoot = std::getenv("SCRUBIX_REGISTRY_ROOT");
    if (pszDrives == nullptr || pszRoot == nullptr)
        return false;
    const std::string strDrives = pszDrives;
    const std::string strRoot = pszRoot;
    return strDrives.rfind("C:=", 0) == 0 && strDrives.find(';') == std::string::npos &&
           strDrives.find("scrubix-") != std::string::npos &&
           strDrives.find("..") == std::string::npos &&
           strRoot.rfind("HKCU\\Software\\ScrubixBench", 0) == 0;
}

void WriteSettings()
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    store.SetInt("Settings", "Newbie", 0); // no Welcome dialog
    store.SetInt("Settings", "23", 1);     // the version notice seen
    store.SetInt("Settings", "Scroll", 0);
    store.SetString("Settings", "Drive", "C");
}

// The program's message loop, one message at a time, timing each turn.
class CLoopMeter
{
public:
    explicit CLoopMeter(CScrubixApp& app) : m_app(app) {}

    // Runs the loop until done() holds or nTimeoutMs has passed.
    bool RunUntil(const std::function<bool()>& done, int nTimeoutMs,
                  const std::function<void()>& afterEachTurn = {})
    {
        const auto end = CClock::now() + std::chrono::milliseconds(nTimeoutMs);
        while (!done())
        {
            if (CClock::now() >= end)
                return false;
            const auto turn = CClock::now();
            MSG msg{};
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                if (msg.message != WM_QUIT)
                    m_app.DispatchOne(msg);
                const double dTurnMs = MsSince(turn);
                if (dTurnMs > m_dWorstMs)
                {
                    m_dWorstMs = dTurnMs;
                    m_nWorstMessage = msg.message;
                    m_nWorstParam = msg.wParam;
                }
                if (afterEachTurn)
                    afterEachTurn();
            }
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return true;
    }
    void Settle(int nMs)
    {
        RunUntil([] { return false; }, nMs);
    }
    void Reset()
    {
        m_dWorstMs = 0;
        m_nWorstMessage = 0;
        m_nWorstParam = 0;
    }
    double WorstMs() const { return m_dWorstMs; }
    // The message of the longest turn.
    UINT WorstMessage() const { return m_nWorstMessage; }
    // Its wParam (a timer's id).
    WPARAM WorstParam() const { return m_nWorstParam; }

private:
    CScrubixApp& m_app;
    double m_dWorstMs = 0;
    UINT m_nWorstMessage = 0;
    WPARAM m_nWorstParam = 0;
};

// The feeder's prompt: a wait that times out goes on without asking.
class CNoPrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override {}
    bool ConfirmPurge(bool&) override { return false; }
};

int RunSearch(CScrubixApp& app, CLoopMeter& loop)
{
    CScrubixView& view = app.Frame()->View();
    loop.Reset();
    const auto start = CClock::now();
    double dStartMs = -1;
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    const bool bDone = loop.RunUntil(
        [&] { return view.GetViewState() != ViewState::Searching && !view.IsSearchRunning(); },
        600000,
        [&]
        {
            if (dStartMs < 0 && view.IsSearchRunning())
                dStartMs = MsSince(start);
        });
    const double dSearchMs = MsSince(start);
    if (!bDone)
        return 1;
    std::printf("rows=%d search_ms=%.1f start_ms=%.1f stall_ms=%.1f\n", view.Table().GetRowCount(),
                dSearchMs, dStartMs, loop.WorstMs());
    return 0;
}

int RunList(CScrubixApp& app, CLoopMeter& loop, int nRows)
{
    CScrubixView& view = app.Frame()->View();
    CScrubixDoc& doc = view.Document();
    // The state a search is in once its thread runs; the hand-over below is
    // the searching thread's: wait for the acknowledgement, clear it, fill
    // the mailbox, post.
    doc.SearchRoot = "C:";
    view.SetViewState(ViewState::Searching);
    HWND hFrame = app.Frame()->Window();
    SPlatform platform = CreatePlatform();
    CNoPrompt prompt;
    loop.Reset();
    const auto start = CClock::now();
    std::thread feeder(
        [&]
        {
            for (int n = 0; n < nRows; ++n)
            {
                // The searching thread's own wait: it sleeps until the window
                // acknowledges, taking no processor time from it meanwhile.
                WaitForAck(doc.CandidateAck, *platform.pClock, prompt);
                doc.CandidateAck.store(0, std::memory_order_relaxed);
                doc.CandidatePath = BenchCandidatePath(n);
                doc.CandidateSize = 4096;
                doc.CandidateReason = REASON_EXTENSION;
                doc.CandidateIdentity = SFileIdentity{};
                PostMessageW(hFrame, WM_ADD_CANDIDATE, 0, 0);
            }
            PostMessageW(hFrame, WM_SEARCH_DONE, 0, 0);
        });
    const bool bDone =
        loop.RunUntil([&] { return view.GetViewState() == ViewState::Results; }, 600000);
    const double dListMs = MsSince(start);
    const double dListStall = loop.WorstMs();
    const UINT nListStallMessage = loop.WorstMessage();
    const auto nListStallParam = static_cast<unsigned long long>(loop.WorstParam());
    feeder.join();
    if (!bDone)
        return 1;
    // Paint the full list, then scroll to the end and back as a user would.
    loop.Settle(300);
    loop.Reset();
    HWND hList = view.ResultsList();
    SetFocus(hList);
    // Posted, so the loop takes them as it would typed keys.
    for (const UINT nKey : {VK_END, VK_PRIOR, VK_HOME, VK_NEXT})
    {
        PostMessageW(hList, WM_KEYDOWN, nKey, 1);
        PostMessageW(hList, WM_KEYUP, nKey, 0xC0000001);
        loop.Settle(200);
    }
    std::printf("rows=%d list_ms=%.1f stall_ms=%.1f stall_message=%u stall_wparam=%llu "
                "scroll_stall_ms=%.1f\n",
                view.Table().GetRowCount(), dListMs, dListStall, nListStallMessage, nListStallParam,
                loop.WorstMs());
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string strMode = argc > 1 ? argv[1] : "";
    if (strMode != "search" && strMode != "list")
    {
        std::fputs("usage: scrubix-bench-win32 search | list N\n", stderr);
        return 2;
    }
    if (!IsSandboxed())
    {
        std::fputs("scrubix-bench-win32: runs only inside the sandbox "
                   "bench/wine-gui-vs-tool/run makes\n",
                   stderr);
        return 2;
    }
    WriteSettings();
    int nResult = 1;
    {
        CScrubixApp app(CreatePlatform());
        if (!app.InitInstance(""))
            return 1;
        CLoopMeter loop(app);
        loop.Settle(300); // the first paint and the notice timer
        if (strMode == "search")
            nResult = RunSearch(app, loop);
        else
            nResult = RunList(app, loop, argc > 2 ? std::atoi(argv[2]) : 1000000);
        std::fflush(stdout);
        PostMessageW(app.Frame()->Window(), WM_CLOSE, 0, 0);
        loop.RunUntil([&] { return app.Frame()->Window() == nullptr; }, 20000);
    }
    return nResult;
}
