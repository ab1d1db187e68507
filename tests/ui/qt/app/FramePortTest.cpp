// The workers' port to the frame: messages from another thread arrive once
// each and in order, also across a nested event loop, and a long burst
// leaves room for the frame's other events.
#include "ui/qt/app/CFramePort.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

namespace
{
// Stands in for the frame: drains the port when told to.
class CDrainingTarget : public QObject
{
public:
    CFramePort m_port{this};
    std::function<void(uint32_t, uintptr_t)> m_handle;

    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() != CFramePort::DrainEventType())
            return QObject::event(pEvent);
        m_port.HandleWaiting(m_handle);
        return true;
    }
};
} // namespace

class FramePortTest : public QObject
{
    Q_OBJECT

private slots:
    void messagesFromAWorkerArriveOnceInOrderAcrossANestedLoop()
    {
        constexpr uintptr_t COUNT = 20000;
        CDrainingTarget target;
        std::vector<uintptr_t> received;
        bool bNested = false;
        target.m_handle = [&](uint32_t nMessage, uintptr_t wParam)
        {
            QCOMPARE(nMessage, WM_SEARCH_PATH);
            received.push_back(wParam);
            if (wParam == 100 && !bNested)
            {
                // A message box opened by a handler runs its own loop.
                bNested = true;
                QEventLoop loop;
                QTimer::singleShot(20, &loop, &QEventLoop::quit);
                loop.exec();
            }
        };
        std::thread worker(
            [&]
            {
                for (uintptr_t n = 0; n < COUNT; ++n)
                    target.m_port.PostMessage(WM_SEARCH_PATH, n);
            });
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), static_cast<size_t>(COUNT), 20000);
        worker.join();
        QCoreApplication::processEvents();
        QCOMPARE(received.size(), static_cast<size_t>(COUNT));
        for (uintptr_t n = 0; n < COUNT; ++n)
            QCOMPARE(received[n], n);
    }

    void aLongBurstLetsOtherEventsIn()
    {
        CDrainingTarget target;
        int nHandled = 0;
        int nHandledWhenOtherRan = -1;
        target.m_handle = [&](uint32_t, uintptr_t)
        {
            ++nHandled;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        for (uintptr_t n = 0; n < 200; ++n)
            target.m_port.PostMessage(WM_ADD_CANDIDATE, n);
        QMetaObject::invokeMethod(
            &target, [&] { nHandledWhenOtherRan = nHandled; }, Qt::QueuedConnection);
        QTRY_COMPARE_WITH_TIMEOUT(nHandled, 200, 10000);
        // The other event came after one slice, not after the whole burst.
        QVERIFY(nHandledWhenOtherRan >= 1);
        QVERIFY2(nHandledWhenOtherRan < 100, qPrintable(QString::number(nHandledWhenOtherRan)));
    }
};

QTEST_MAIN(FramePortTest)
#include "FramePortTest.moc"
