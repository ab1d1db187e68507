#pragma once

#include "search/CSearchContext.h"

#include <thread>

// Owns the searching thread, as CDisposal owns the disposing one. The
// context's references must outlive the CSearch.
//
// Threads: every member runs on the window's thread (or the thread that
// plays it). The searching thread posts WM_SEARCH_DONE as its last act and
// then ends; the window joins it when it handles that message.
class CSearch
{
public:
    explicit CSearch(const CSearchContext& context);
    // Asks a running search to stop (StopFlag = 1), hands both mailboxes back
    // so the thread never waits for a window that is going away, and joins it.
    // Never destroy it on the thread that answers the thread's prompts while
    // the search may still be running.
    ~CSearch();
    CSearch(const CSearch&) = delete;
    CSearch& operator=(const CSearch&) = delete;

    // Starts SearchThreadProc on the document's SearchRoot. The caller has
    // entered Searching (counters 0, PathAck and CandidateAck 1). False when a
    // search started earlier has not been joined yet.
    bool Start();
    // True from Start until Join: the thread may still be posting.
    bool IsRunning() const { return m_thread.joinable(); }
    // Waits for the thread; call it when handling WM_SEARCH_DONE, when the
    // thread has nothing left to do but end. Harmless when none runs.
    void Join();

private:
    CSearchContext m_context;
    std::thread m_thread;
};
