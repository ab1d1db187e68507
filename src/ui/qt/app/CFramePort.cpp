#include "ui/qt/app/CFramePort.h"

#include <QCoreApplication>
#include <chrono>

QEvent::Type CFramePort::DrainEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CFramePort::PostMessage(uint32_t nMessage, uintptr_t wParam)
{
    m_queue.PostMessage(nMessage, wParam);
    if (!m_bDrainPosted.exchange(true))
        PostDrainEvent();
}

void CFramePort::PostDrainEvent()
{
    QCoreApplication::postEvent(m_pTarget, new QEvent(DrainEventType()));
}

void CFramePort::HandleWaiting(const FHandler& handle)
{
    // Cleared before the first look: a message posted from here on posts a
    // drain event of its own, so none is left waiting unheard.
    m_bDrainPosted.store(false);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(SLICE_MS);
    SPostedMessage message;
    for (;;)
    {
        // An empty queue is looked at again for a few microseconds first: the
        // searching thread's next message usually comes that soon, and a
        // return to the event loop would cost it a drain event and the
        // user-interface thread a wake-up.
        if (!m_queue.TryGetMessage(message) &&
            !(m_queue.SpinForMessage() && m_queue.TryGetMessage(message)))
            return;
        handle(message.nMessage, message.wParam);
        if (std::chrono::steady_clock::now() >= end)
        {
            if (!m_bDrainPosted.exchange(true))
                PostDrainEvent();
            return;
        }
    }
}
