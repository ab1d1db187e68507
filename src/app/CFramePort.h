#pragma once

#include "app/CPrivateMessageEvent.h"
#include "platform/IMessagePort.h"

#include <QCoreApplication>
#include <QPointer>

// The workers' message port to the main frame: each message becomes a posted
// event. Callable from any thread; never blocks.
class CFramePort : public IMessagePort
{
public:
    explicit CFramePort(QObject* pTarget) : m_pTarget(pTarget) {}

    void PostMessage(uint32_t nMessage, uintptr_t wParam) override
    {
        QCoreApplication::postEvent(m_pTarget, new CPrivateMessageEvent(nMessage, wParam));
    }

private:
    QObject* m_pTarget; // the frame outlives every worker
};
