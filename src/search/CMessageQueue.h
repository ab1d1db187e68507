#pragma once

#include "platform/IMessagePort.h"

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
// The consumer sleeps while the queue is empty; a post wakes it only when it
// sleeps, so a consumer that keeps up costs the workers no system call.
class CMessageQueue : public IMessagePort
{
public:
    void PostMessage(uint32_t nMessage, uintptr_t wParam) override;

    // Blocks until a message is there.
    SPostedMessage WaitMessage();
    // Takes the oldest message without waiting; false when none is there.
    bool TryGetMessage(SPostedMessage& message);

private:
    SPostedMessage PopLocked();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<SPostedMessage> m_messages;
    int m_nSleepers = 0;
};
