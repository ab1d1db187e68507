#include "search/CListedDeletions.h"

#include <utility>

void CListedDeletions::Add(EDeletionKind kind, const std::string& strItem)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.push_back({kind, strItem});
}

void CListedDeletions::Take(std::vector<SListedDeletion>& list)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (SListedDeletion& deletion : m_pending)
        list.push_back(std::move(deletion));
    m_pending.clear();
}
