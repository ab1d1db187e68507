#include "search/CSearch.h"

#include "search/SearchThread.h"
#include "search/WaitForAck.h"

#include <atomic>

CSearch::CSearch(const CSearchContext& context) : m_context(context) {}

CSearch::~CSearch()
{
    if (m_thread.joinable())
    {
        m_context.m_doc.StopFlag.store(1, std::memory_order_release);
        SetAck(m_context.m_doc.PathAck);
        SetAck(m_context.m_doc.CandidateAck);
    }
    Join();
}

bool CSearch::Start()
{
    if (m_thread.joinable())
        return false;
    m_thread = std::thread(SearchThreadProc, m_context);
    return true;
}

void CSearch::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}
