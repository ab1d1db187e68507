#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

// Runs call on the thread of context (the user-interface thread) and returns
// when it is done. From a worker this blocks only that worker; on the
// context's own thread the call runs at once. The user-interface thread must
// never wait for a worker that may be inside this call.
template <typename TCall> void CallOnUiThread(QObject* pContext, TCall&& call)
{
    if (QThread::currentThread() == pContext->thread())
        call();
    else
        QMetaObject::invokeMethod(pContext, std::forward<TCall>(call),
                                  Qt::BlockingQueuedConnection);
}
