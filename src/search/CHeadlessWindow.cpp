#include "search/CHeadlessWindow.h"

#include "search/CSearch.h"
#include "search/WaitForAck.h"

#include <utility>

void CHeadlessWindow::ListOnly(std::function<void(const SListedDeletion&)> onDeletion)
{
    m_bListOnly = true;
    m_onDeletion = std::move(onDeletion);
}

void CHeadlessWindow::ReportListedDeletions()
{
    if (!m_bListOnly)
        return;
    m_listed.Take(m_taken);
    for (const SListedDeletion& deletion : m_taken)
    {
        if (m_onDeletion)
            m_onDeletion(deletion);
    }
    m_taken.clear();
}

void CHeadlessWindow::BeginSearch(const std::string& strRoot)
{
    m_table.Clear();
    m_doc.SearchRoot = strRoot;
    m_doc.ExtenCount = 0;
    m_doc.ZeroCount = 0;
    m_doc.DirectedCount = 0;
    m_doc.TotalSize = 0;
    SetAck(m_doc.PathAck);
    SetAck(m_doc.CandidateAck);
}

bool CHeadlessWindow::HandleSearchMessage(const SPostedMessage& message,
                                          const std::function<void(const SCandidateRow&)>& onRow)
{
    ReportListedDeletions();
    switch (message.nMessage)
    {
    case WM_SEARCH_PATH:
        SetAck(m_doc.PathAck);
        return true;
    case WM_ADD_CANDIDATE:
        if (m_table.AddCandidateRow(m_doc) && onRow)
            onRow(m_table.Rows().back());
        return true;
    case WM_SEARCH_DONE:
        m_doc.StopFlag.store(0, std::memory_order_release);
        return false;
    default:
        return true;
    }
}

void CHeadlessWindow::RunSearch(const std::string& strRoot, IUserPrompt& prompt, IClock& clock,
                                IUrlCache& urlCache,
                                const std::function<void(const SCandidateRow&)>& onRow)
{
    BeginSearch(strRoot);
    CSearch search(
        CSearchContext{m_doc, m_queue, prompt, clock, urlCache, m_bListOnly ? &m_listed : nullptr});
    search.Start();
    RunMessageLoop([&](const SPostedMessage& message)
                   { return HandleSearchMessage(message, onRow); });
    search.Join();
}

void CHeadlessWindow::RunMessageLoop(const std::function<bool(const SPostedMessage&)>& handler)
{
    while (handler(m_queue.WaitMessage()))
    {
    }
}
