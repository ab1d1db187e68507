#pragma once

#include "platform/IMessagePort.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

struct SPostedMessage
{
    uint32_t nMessage = 0;
    uintptr_t wParam = 0;
};

// The main frame's message queue without a window: workers post from any
// thread without blocking, one consumer takes the messages in posting order.
// The consumer polls briefly before it sleeps, so a worker that waits for an
// acknowledgement is answered without a wake-up latency on every message.
class CMessageQueue : public IMessagePort
{
public:
    void PostMessage(uint32_t nMessage, uintptr_t wParam) override;

    // Blocks until a message is there.
    SPostedMessage WaitMessage();
    // Takes the oldest message without waiting; false when none is there.
    bool TryGetMessage(SPostedMessage& message);
    // Takes the oldest message, polling briefly (never sleeping) when none is
    // there yet; false when none came.
    bool PollMessage(SPostedMessage& message);

private:
    SPostedMessage PopLocked();
    void SpinWhileEmpty() const;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SPostedMessage> m_messages;
    std::atomic<size_t> m_nPending{0};
    int m_nSleepers = 0;
};
