#pragma once

#include "platform/IClock.h"
#include "platform/IUrlCache.h"
#include "platform/IUserPrompt.h"
#include "search/CCandidateTable.h"
#include "search/CListedDeletions.h"
#include "search/CMessageQueue.h"
#include "settings/CScrubixDoc.h"

#include <functional>
#include <string>
#include <vector>

// Plays the main frame for command-line tools and tests: owns the message
// queue the workers post to and the candidate table, and handles the
// searching thread's messages the way the window does.
class CHeadlessWindow
{
public:
    explicit CHeadlessWindow(CScrubixDoc& doc) : m_doc(doc) {}

    CMessageQueue& Queue() { return m_queue; }
    IMessagePort& Port() { return m_queue; }
    CCandidateTable& Table() { return m_table; }

    // Makes the searches that RunSearch starts list-only: they delete
    // nothing, and onDeletion sees each deletion the window's search would
    // have done, on the thread that handles the messages, in order with the
    // rows (before the first message posted after it).
    void ListOnly(std::function<void(const SListedDeletion&)> onDeletion);

    // What entering the Searching state does: rows and listed paths cleared,
    // counters and total 0, both acknowledgement words 1, the root set.
    void BeginSearch(const std::string& strRoot);

    // Handles one message of the searching thread. False once WM_SEARCH_DONE
    // has been handled (the stop request is then cleared). onRow sees each
    // row as it is added.
    bool HandleSearchMessage(const SPostedMessage& message,
                             const std::function<void(const SCandidateRow&)>& onRow = {});

    // Starts the searching thread on strRoot and handles its messages on the
    // calling thread until WM_SEARCH_DONE; the finished thread is joined.
    void RunSearch(const std::string& strRoot, IUserPrompt& prompt, IClock& clock,
                   IUrlCache& urlCache,
                   const std::function<void(const SCandidateRow&)>& onRow = {});

    // Handles messages in arrival order until the handler returns false.
    void RunMessageLoop(const std::function<bool(const SPostedMessage&)>& handler);

private:
    // Hands the deletions listed so far to the list-only observer.
    void ReportListedDeletions();

    CScrubixDoc& m_doc;
    CMessageQueue m_queue;
    CCandidateTable m_table;
    bool m_bListOnly = false;
    CListedDeletions m_listed;
    std::function<void(const SListedDeletion&)> m_onDeletion;
    std::vector<SListedDeletion> m_taken;
};
