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
    while (m_queue.TryGetMessage(message))
    {
        handle(message.nMessage, message.wParam);
        if (std::chrono::steady_clock::now() >= end)
        {
            if (!m_bDrainPosted.exchange(true))
                PostDrainEvent();
            return;
        }
    }
}
