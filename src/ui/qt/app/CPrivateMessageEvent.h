#pragma once

#include <QEvent>
#include <cstdint>

// One private message (WM_SEARCH_DONE ... WM_VIEW_STARTUP_VISIBLE) as a Qt
// event. Posted events of one receiver are handled in the order they were
// posted, on the receiver's thread.
class CPrivateMessageEvent : public QEvent
{
public:
    CPrivateMessageEvent(uint32_t nMessage, uintptr_t wParam)
        : QEvent(EventType()), m_nMessage(nMessage), m_wParam(wParam)
    {
    }

    uint32_t Message() const { return m_nMessage; }
    uintptr_t WParam() const { return m_wParam; }

    // The one event type every private message travels as.
    static QEvent::Type EventType()
    {
        static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

private:
    uint32_t m_nMessage;
    uintptr_t m_wParam;
};
