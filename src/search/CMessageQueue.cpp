#include "search/CMessageQueue.h"

#include <thread>

namespace
{
// How often the consumer looks for a message before it sleeps.
constexpr int SPIN_COUNT = 200;
} // namespace

void CMessageQueue::PostMessage(uint32_t nMessage, uintptr_t wParam)
{
    bool bWake = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({nMessage, wParam});
        m_nPending.fetch_add(1, std::memory_order_release);
        bWake = m_nSleepers > 0;
    }
    if (bWake)
        m_wake.notify_one();
}

SPostedMessage CMessageQueue::PopLocked()
{
    SPostedMessage message = m_messages.front();
    m_messages.pop_front();
    m_nPending.fetch_sub(1, std::memory_order_relaxed);
    return message;
}

void CMessageQueue::SpinWhileEmpty() const
{
    for (int i = 0; i < SPIN_COUNT && m_nPending.load(std::memory_order_acquire) == 0; ++i)
        std::this_thread::yield();
}

SPostedMessage CMessageQueue::WaitMessage()
{
    SpinWhileEmpty();
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

bool CMessageQueue::PollMessage(SPostedMessage& message)
{
    SpinWhileEmpty();
    return TryGetMessage(message);
}
