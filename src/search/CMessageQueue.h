#pragma once

#include "platform/IMessagePort.h"

#include <atomic>
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
//
// A consumer that finds the queue empty sleeps on the count of posted
// messages, and a post wakes it only when it sleeps: a consumer that keeps
// up costs the workers no system call, and one that waits costs no
// processor time.
class CMessageQueue : public IMessagePort
{
public:
    void PostMessage(uint32_t nMessage, uintptr_t wParam) override;

    // Blocks until a message is there; the consumer's thread.
    SPostedMessage WaitMessage();
    // Takes the oldest message without waiting; false when none is there.
    // The consumer's thread.
    bool TryGetMessage(SPostedMessage& message);
    // Looks for a message for a few microseconds (SPIN_LOOKS looks of
    // SpinWhileWordIs) without sleeping; true as soon as one is there (take
    // it with TryGetMessage). For a consumer that would otherwise go back to
    // an event loop, whose wake-up costs more than the looks. It looks only
    // while looking has paid lately: after LOST_LOOKS looks in a row that saw
    // nothing come (a busy machine, or one processor, where the worker cannot
    // post while this thread looks), only every PROBE_EVERY-th call looks,
    // until one sees a message come again. The consumer's thread.
    bool SpinForMessage();

    static constexpr int SPIN_LOOKS = 200;
    static constexpr int LOST_LOOKS = 4;
    static constexpr int PROBE_EVERY = 16;

private:
    std::mutex m_mutex;
    std::deque<SPostedMessage> m_messages;
    // Messages posted so far (it wraps); the word the consumer sleeps on.
    std::atomic<int32_t> m_nPosted{0};
    // Consumers asleep on m_nPosted, or about to be.
    std::atomic<int32_t> m_nSleepers{0};
    // SpinForMessage's record, kept by the consumer's thread: the looks in a
    // row that saw nothing come, and the calls since the last look.
    int m_nLostLooks = 0;
    int m_nCallsSinceLook = 0;
};
