// The desktop program's own timings, offscreen, through its real window:
//
//   scrubix-bench-gui search             Search pressed to WM_SEARCH_DONE handled
//   scrubix-bench-gui list N             N candidates handed over one by one, as
//                                        the searching thread does, to Results
//   scrubix-bench-gui purge|trash        a search, then Action pressed to
//                                        WM_DISPOSE_DONE handled (no warning)
//
// Each prints one line of "name=value" figures for bench/gui-vs-tools/run,
// among them the user-interface thread's worst stall: the lateness of a
// timer that should fire every 10 ms.
//
// Refuses to run unless the drive table, the registry folder and the home
// all lie inside the one temporary sandbox the run script made: a purge or a
// move here only ever touches that sandbox.
#include "../support/BenchSandbox.h"
#include "platform/Platform.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CPrivateMessageEvent.h"
#include "ui/qt/app/CScrubixApp.h"
#include "ui/qt/app/CScrubixView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace
{
constexpr int TICK_MS = 10;

// The worst lateness of a 10 ms timer on the user-interface thread.
class CStallMeter
{
public:
    CStallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this]
                         {
                             const qint64 nNow = m_clock.nsecsElapsed();
                             m_nWorstNs =
                                 std::max(m_nWorstNs, nNow - m_nLastNs - TICK_MS * 1000000LL);
                             m_nLastNs = nNow;
                         });
    }
    void Start()
    {
        m_clock.start();
        m_nLastNs = 0;
        m_nWorstNs = 0;
        m_timer.start(TICK_MS);
    }
    double WorstMs()
    {
        // A stall still under way counts too.
        const qint64 nNow = m_clock.nsecsElapsed();
        return static_cast<double>(std::max(m_nWorstNs, nNow - m_nLastNs - TICK_MS * 1000000LL)) /
               1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_nLastNs = 0;
    qint64 m_nWorstNs = 0;
};

long long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long nPages = 0, nResident = 0;
    statm >> nPages >> nResident;
    return nResident * ::sysconf(_SC_PAGESIZE);
}

bool InsideSandbox(const char* pszVariable, const std::string& strSandbox)
{
    const char* pszValue = std::getenv(pszVariable);
    if (pszValue == nullptr)
        return false;
    std::string strValue = pszValue;
    if (std::strcmp(pszVariable, "SCRUBIX_DRIVES") == 0)
    {
        // Exactly one drive, C:, inside the sandbox.
        if (strValue.rfind("C:=", 0) != 0 || strValue.find(';') != std::string::npos)
            return false;
        strValue = strValue.substr(3);
    }
    return strValue.rfind(strSandbox + "/", 0) == 0 && strValue.find("/..") == std::string::npos;
}

bool IsSandboxed()
{
    const char* pszSandbox = std::getenv("SCRUBIX_BENCH_SANDBOX");
    if (pszSandbox == nullptr || std::strncmp(pszSandbox, "/tmp/", 5) != 0)
        return false;
    const std::string strSandbox = pszSandbox;
    for (const char* pszVariable : {"SCRUBIX_DRIVES", "SCRUBIX_REGISTRY_DIR", "HOME",
                                    "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        if (!InsideSandbox(pszVariable, strSandbox))
            return false;
    return true;
}

void WriteSettings(const std::string& strMode)
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    store.SetInt("Settings", "Newbie", 0); // no Welcome dialog
    store.SetInt("Settings", "23", 1);     // the version notice seen
    store.SetInt("Settings", "Anomaly", 0);
    store.SetInt("Settings", "WarnMe", 0);
    store.SetInt("Settings", "Scroll", 0);
    if (strMode == "purge")
        store.SetInt("Settings", "Move", 1);
    else if (strMode == "trash")
    {
        store.SetInt("Settings", "Move", 0);
        store.SetInt("Settings", "RecycleRadio", 0);
    }
}

// Runs the event loop until the frame has handled nMessage (or the time is up).
bool WaitForMessage(CMainFrame& frame, uint32_t nMessage, int nTimeoutMs)
{
    QEventLoop loop;
    bool bSeen = false;
    const QMetaObject::Connection connection =
        QObject::connect(&frame, &CMainFrame::MessageHandled, &loop,
                         [&](uint32_t nHandled)
                         {
                             if (nHandled != nMessage)
                                 return;
                             bSeen = true;
                             loop.quit();
                         });
    QTimer::singleShot(nTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return bSeen;
}

// Lets the window paint and settle.
void Settle(int nMs)
{
    QEventLoop loop;
    QTimer::singleShot(nMs, &loop, &QEventLoop::quit);
    loop.exec();
}

double Ms(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

int RunSearch(CMainFrame& frame, CStallMeter& stall)
{
    CScrubixView& view = frame.View();
    stall.Start();
    QElapsedTimer timer;
    timer.start();
    view.SearchButton()->click();
    if (!WaitForMessage(frame, WM_SEARCH_DONE, 600000))
        return 1;
    const double dMs = Ms(timer);
    std::printf("search_ms=%.1f rows=%d stall_ms=%.1f\n", dMs, view.Model().rowCount(),
                stall.WorstMs());
    return view.GetViewState() == ViewState::Results ? 0 : 1;
}

int RunList(CMainFrame& frame, CStallMeter& stall, int nRows)
{
    CScrubixView& view = frame.View();
    CScrubixDoc& doc = view.Document();
    Settle(300);
    const long long nResidentBefore = ResidentBytes();
    // The state a search is in once its thread runs; the hand-over below is
    // the searching thread's: wait for the acknowledgement, clear it, fill the
    // mailbox, post.
    doc.SearchRoot = "C:";
    view.SetViewState(ViewState::Searching);
    std::atomic<long long> nPathBytes{0};
    stall.Start();
    QElapsedTimer timer;
    timer.start();
    std::thread feeder(
        [&]
        {
            long long nBytes = 0;
            for (int n = 0; n < nRows; ++n)
            {
                while (doc.CandidateAck.load(std::memory_order_acquire) == 0)
                    std::this_thread::yield();
                doc.CandidateAck.store(0, std::memory_order_relaxed);
                doc.CandidatePath = BenchCandidatePath(n);
                doc.CandidateSize = 4096;
                doc.CandidateReason = REASON_EXTENSION;
                doc.CandidateIdentity = SFileIdentity{};
                nBytes += static_cast<long long>(doc.CandidatePath.size());
                QCoreApplication::postEvent(&frame, new CPrivateMessageEvent(WM_ADD_CANDIDATE, 0));
            }
            nPathBytes = nBytes;
            QCoreApplication::postEvent(&frame, new CPrivateMessageEvent(WM_SEARCH_DONE, 0));
        });
    const bool bDone = WaitForMessage(frame, WM_SEARCH_DONE, 600000);
    const double dListMs = Ms(timer);
    const double dListStall = stall.WorstMs();
    feeder.join();
    if (!bDone)
        return 1;

    // Paint the full list, then scroll to the end and back as a user would.
    Settle(500);
    stall.Start();
    QScrollBar* pBar = view.ResultsList()->verticalScrollBar();
    pBar->setValue(pBar->maximum());
    Settle(200);
    pBar->setValue(pBar->maximum() / 2);
    Settle(200);
    pBar->setValue(0);
    Settle(200);
    const double dScrollStall = stall.WorstMs();

    const int nListed = view.Model().rowCount();
    const long long nResident = ResidentBytes() - nResidentBefore;
    const double dTable = static_cast<double>(view.Model().Table().BytesHeld()) / nListed;
    const double dBeyond = static_cast<double>(nResident - nPathBytes.load()) / nListed;
    std::printf("rows=%d list_ms=%.1f stall_ms=%.1f scroll_stall_ms=%.1f path_bytes=%.1f "
                "table_bytes=%.1f resident_beyond_path=%.1f qt_share=%.1f\n",
                nListed, dListMs, dListStall, dScrollStall,
                static_cast<double>(nPathBytes.load()) / nListed, dTable, dBeyond,
                dBeyond - dTable);
    return nListed == nRows ? 0 : 1;
}

int RunDispose(CMainFrame& frame, CStallMeter& stall)
{
    CScrubixView& view = frame.View();
    QElapsedTimer timer;
    timer.start();
    view.SearchButton()->click();
    if (!WaitForMessage(frame, WM_SEARCH_DONE, 600000))
        return 1;
    const double dSearchMs = Ms(timer);
    const int nRows = view.Model().rowCount();
    Settle(100);
    stall.Start();
    timer.start();
    view.ActionButton()->click();
    if (!WaitForMessage(frame, WM_DISPOSE_DONE, 600000))
        return 1;
    const double dDisposeMs = Ms(timer);
    std::printf("search_ms=%.1f rows=%d dispose_ms=%.1f stall_ms=%.1f left=%d\n", dSearchMs, nRows,
                dDisposeMs, stall.WorstMs(), view.Model().rowCount());
    return view.GetViewState() == ViewState::Idle ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string strMode = argc > 1 ? argv[1] : "";
    if (strMode != "search" && strMode != "list" && strMode != "purge" && strMode != "trash")
    {
        std::fputs("usage: scrubix-bench-gui search | list N | purge | trash\n", stderr);
        return 2;
    }
    if (!IsSandboxed())
    {
        std::fputs("scrubix-bench-gui: runs only inside the sandbox bench/gui-vs-tools/run makes\n",
                   stderr);
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    WriteSettings(strMode);

    int nResult = 1;
    {
        CScrubixApp app(CreatePlatform());
        if (!app.InitInstance(""))
            return 1;
        CMainFrame* pFrame = app.Frame();
        Settle(300); // the first paint and the notice timer
        CStallMeter stall;
        if (strMode == "search")
            nResult = RunSearch(*pFrame, stall);
        else if (strMode == "list")
            nResult = RunList(*pFrame, stall, argc > 2 ? std::atoi(argv[2]) : 1000000);
        else
            nResult = RunDispose(*pFrame, stall);
        std::fflush(stdout);
        // Closed by its own rules; the application object ends with it.
        pFrame->close();
        Settle(50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return nResult;
}
