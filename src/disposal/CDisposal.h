#pragma once

#include "disposal/CAnomalyReport.h"
#include "disposal/MoveRecord.h"
#include "disposal/SDisposalSummary.h"
#include "platform/FileTypes.h"
#include "platform/ProgramFiles.h"
#include "search/WaitForAck.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CScrubixDoc;
class CSettingsStore;
class IClock;
class IFileSystem;
class IMessagePort;
class IResultsList;
class IShell;
class IUserPrompt;
struct CLaunchMode;

// What the disposing thread reaches the world through. Every reference must
// outlive the CDisposal.
struct SDisposalServices
{
    IFileSystem& fileSystem;
    IShell& shell;
    IClock& clock;
    IMessagePort& port;
    IUserPrompt& prompt;
    IResultsList& list;
    CSettingsStore& store; // "Don't show" writes WarnMe here, not to the document
    const CLaunchMode& launchMode;
};

// The disposing thread and the fields it shares with the window: the snapshot
// of the disposal settings and the progress mailbox. Owned by the results
// view; one pass at a time.
//
// Threads: Start, Join, Acknowledge and the mailbox reads run on the window's
// thread; the passes run on the disposing thread, which ends itself after
// posting WM_DISPOSE_DONE (wParam 1 done; 3 when no file and no row was
// touched: the purge was declined, or another pass over the same settings
// store was running and the user was told so).
class CDisposal
{
public:
    explicit CDisposal(const SDisposalServices& services);
    ~CDisposal(); // joins a thread that is still running
    CDisposal(const CDisposal&) = delete;
    CDisposal& operator=(const CDisposal&) = delete;

    // Copies the seven disposal settings (and the report folder `Path`) from
    // the document, sets m_bDisposeAck to 1 and starts the thread. False when
    // a pass is still running.
    bool Start(const CScrubixDoc& doc);
    // Waits for the thread after its WM_DISPOSE_DONE; harmless when none runs.
    void Join();

    // Files the program keeps for itself (its registry databases and their
    // journals, Windows form). Their rows fail like a failed deletion, however
    // the search came to list them; the anomaly report is always among them.
    // Set before Start.
    void SetProtectedFiles(std::vector<std::string> protectedPaths);
    // The same from the platform's list (ListProgramFiles, taken right before
    // Start): every path under one of its prefixes and every file with one of
    // its identities is kept. Replaces what either form set before.
    void SetProtectedFiles(const SProgramFiles& programFiles);

    // The window's half of the progress handshake: read m_strStepPath on
    // WM_DISPOSE_STEP, then Acknowledge as the handler's last step.
    const std::string& StepPath() const { return m_strStepPath; }
    void Acknowledge() { SetAck(m_bDisposeAck); }

    // The passes, run by DisposeThreadProc; callable directly on the thread
    // that plays the disposing thread (tools, tests). Each replaces the
    // record of the last pass (MoveRecord.h) that Undo Last Move reads: a
    // move pass with the files it moved, a purge pass with "a purge". A
    // declined purge leaves it alone.
    static void DisposeThreadProc(CDisposal* pDisposal);
    int32_t MovePass();
    int32_t PurgePass();
    bool MoveToFolder(const std::string& strPath, const SFileIdentity& identity);
    bool MoveToRecycleBin(const std::string& strPath, const SFileIdentity& identity);

    static constexpr int32_t RESULT_DONE = 1;
    static constexpr int32_t RESULT_PURGE_DECLINED = 3;
    static constexpr int32_t RESULT_BUSY = 3; // as a declined purge: nothing touched
    // The name of the settings store's lock that a pass holds.
    static constexpr const char* DISPOSAL_LOCK_NAME = "Dispose";
    static constexpr const char* DISPOSAL_BUSY_TEXT =
        "Another copy of Scrubix is purging or moving files with these settings.\n\nNo file "
        "was touched. Try again when it has finished.";

    // After WM_DISPOSE_DONE: true when the pass was to write a report and it
    // could not be written whole (not created, or a write or flush failed).
    bool IsReportIncomplete() const { return m_bReportIncomplete; }
    // After WM_DISPOSE_DONE: what the pass did (bRan false when it was
    // declined or kept off); reset when the next pass starts.
    const SDisposalSummary& Summary() const { return m_summary; }
    static constexpr uint32_t MOVE_START_PAUSE_MS = 1000;

    // The snapshot, written by Start before the thread runs and only read
    // afterwards.
    int32_t m_bAnomaly = 0;
    int32_t m_nMove = 0;
    int32_t m_nRecycleRadio = 0;
    std::string m_strMovePath;
    int32_t m_bDeleteReadOnly = 0;
    int32_t m_bOverwrite = 0;
    int32_t m_bWarnMe = 1;
    std::string m_strPath; // the program's folder: where the report goes
    // When the search that listed the rows began (CScrubixDoc::
    // SearchStartTime); 0 when unknown, and then only the copies of this
    // pass are kept from being replaced.
    int64_t m_nSearchStartTime = 0;

    // The progress mailbox: m_strStepPath is written by the thread while
    // m_bDisposeAck is 0 and read by the window before it sets the flag to 1.
    std::atomic<int32_t> m_bDisposeAck{1};
    std::string m_strStepPath;

private:
    bool IsReportHidden();
    bool ShouldWarnBeforePurge();
    std::unique_ptr<CAnomalyReport> CreateAnomalyReport(EDisposalMode kind);
    void ShowAnomalyReport(const std::string& strReportPath);
    bool IsProtected(const std::string& strPath, const SFileIdentity& identity);
    void CollectProtectedIdentities();
    // What clearing read-only changed, so that it can be put back.
    struct SAttributeChange
    {
        bool bChanged = false;
        uint32_t nOldAttributes = 0;
        SFileIdentity identity; // the file that was changed
    };
    // Clears the read-only attribute of the file the identity names (of the
    // file the path names now when it is unknown), through the file system's
    // identity-checked change; a file with other names keeps it. The change
    // moves the file's change time on: change.identity is then the file as
    // it is now, to be expected by the deletion that follows.
    SAttributeChange ClearReadOnly(const std::string& strPath, const SFileIdentity& identity);
    // Puts the attribute back on a file that is still there after all.
    void RestoreReadOnly(const std::string& strPath, const SAttributeChange& change);
    // Whether the move may put the row's file at strDestination: never onto
    // the file itself (a candidate already in the destination folder), and
    // never over a file that was not there when the search began, or that
    // this pass moved there.
    bool MayMoveOnto(const std::string& strDestination, const std::string& strSource,
                     const SFileIdentity& source);
    // The rows bottom-up: each checked row's file goes to dispose (true when
    // it went) and into the report; every row with a path is removed.
    void DisposeCheckedRows(
        EDisposalMode kind,
        const std::function<bool(const std::string&, const SFileIdentity&)>& dispose);

    SDisposalServices m_services;
    std::thread m_thread;
    std::vector<std::string> m_protectedPaths;
    std::vector<std::string> m_protectedUpperPaths;
    std::vector<std::string> m_protectedUpperPrefixes;
    std::vector<SFileIdentity> m_programIdentities;   // as listed by the platform
    std::vector<SFileIdentity> m_protectedIdentities; // gathered when a pass starts
    std::vector<SFileIdentity> m_movedIdentities;     // copies this move pass made
    std::vector<SMovedFile> m_movedFiles;             // what this move pass moved
    bool m_bReportIncomplete = false;
    SDisposalSummary m_summary;
};
