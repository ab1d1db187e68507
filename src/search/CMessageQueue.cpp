#include "search/CMessageQueue.h"

void CMessageQueue::PostMessage(uint32_t nMessage, uintptr_t wParam)
{
    bool bWake = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({nMessage, wParam});
        bWake = m_nSleepers > 0;
    }
    if (bWake)
        m_wake.notify_one();
}

SPostedMessage CMessageQueue::PopLocked()
{
    SPostedMessage message = m_messages.front();
    m_messages.pop_front();
    return message;
}

SPostedMessage CMessageQueue::WaitMessage()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    ++m_nSleepers;
    m_wake.wait(lock, [this] { return !m_messages.empty(); });
    --m_nSleepers;
    return PopLocked();
}

bool CMessageQueue::TryGetMessage(SPostedMessage& message)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_messages.empty())
        return false;
    message = PopLocked();
    return true;
}
