#include "search/CMessageQueue.h"

#include "platform/WordWait.h"

namespace
{
// A sleeping consumer looks at the queue again at least this often.
constexpr uint32_t RECHECK_MS = 1000;
} // namespace

void CMessageQueue::PostMessage(uint32_t nMessage, uintptr_t wParam)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({nMessage, wParam});
    }
    // The count changes after the message is in, and the sleepers are looked
    // at after the count, both sequentially consistent with the consumer's
    // side in WaitMessage: either it sees the new count or this sees it.
    m_nPosted.fetch_add(1, std::memory_order_seq_cst);
    if (m_nSleepers.load(std::memory_order_seq_cst) != 0)
        WakeWordWaiters(m_nPosted);
}

bool CMessageQueue::TryGetMessage(SPostedMessage& message)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_messages.empty())
        return false;
    message = m_messages.front();
    m_messages.pop_front();
    return true;
}

bool CMessageQueue::SpinForMessage()
{
    // The count is read before the queue: a message that is not in the queue
    // yet changes the count later.
    const int32_t nSeen = m_nPosted.load(std::memory_order_acquire);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_messages.empty())
            return true;
    }
    if (m_nLostLooks >= LOST_LOOKS && ++m_nCallsSinceLook < PROBE_EVERY)
        return false;
    m_nCallsSinceLook = 0;
    const bool bCame = SpinWhileWordIs(m_nPosted, nSeen, SPIN_LOOKS);
    m_nLostLooks = bCame ? 0 : m_nLostLooks + 1;
    return bCame;
}

SPostedMessage CMessageQueue::WaitMessage()
{
    SPostedMessage message;
    for (;;)
    {
        const int32_t nSeen = m_nPosted.load(std::memory_order_acquire);
        if (TryGetMessage(message))
            return message;
        m_nSleepers.fetch_add(1, std::memory_order_seq_cst);
        if (m_nPosted.load(std::memory_order_seq_cst) == nSeen)
            WaitOnWord(m_nPosted, nSeen, RECHECK_MS);
        m_nSleepers.fetch_sub(1, std::memory_order_relaxed);
    }
}
