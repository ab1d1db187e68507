#pragma once

#include "platform/IMessagePort.h"
#include "search/CMessageQueue.h"

#include <QEvent>
#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>

// The workers' message port to the main frame. Callable from any thread;
// never blocks.
//
// The messages wait in a queue of their own, and the frame hears of them by
// one posted drain event at a time rather than one event a message: a
// searching thread posts one message a folder and a candidate, each after
// the last was acknowledged, and a wake-up of the user-interface thread per
// message would cost more than the search itself. HandleWaiting then takes
// the messages in posting order, for at most one time slice before the
// frame's other events (painting, input) get their turn. When the queue is
// empty, and stays empty for a few microseconds (CMessageQueue::
// SpinForMessage), the frame goes back to its event loop, which sleeps until
// the next drain event: the user-interface thread is then free for the
// workers' synchronous calls (row reads, message boxes).
class CFramePort : public IMessagePort
{
public:
    using FHandler = std::function<void(uint32_t nMessage, uintptr_t wParam)>;

    explicit CFramePort(QObject* pTarget) : m_pTarget(pTarget) {}

    void PostMessage(uint32_t nMessage, uintptr_t wParam) override;

    // On the frame's thread, when it receives an event of DrainEventType():
    // hands every waiting message to handle, in posting order. A handler may
    // run a nested event loop; the messages stay in order.
    void HandleWaiting(const FHandler& handle);

    static QEvent::Type DrainEventType();
    static constexpr int SLICE_MS = 4;

private:
    void PostDrainEvent();

    QObject* m_pTarget; // the frame outlives every worker
    CMessageQueue m_queue;
    std::atomic<bool> m_bDrainPosted{false};
};
