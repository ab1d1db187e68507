#include "OpenOutcome.h"

#include <QTimer>
#include <chrono>
#include <memory>

namespace
{
constexpr int POLL_MS = 50;
} // namespace

void WhenOpened(QObject* pContext, std::future<bool> outcome, std::function<void(bool)> done)
{
    if (!outcome.valid())
    {
        done(false);
        return;
    }
    if (outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
    {
        done(outcome.get());
        return;
    }
    auto pOutcome = std::make_shared<std::future<bool>>(std::move(outcome));
    auto* pPoll = new QTimer(pContext);
    pPoll->setInterval(POLL_MS);
    QObject::connect(pPoll, &QTimer::timeout, pPoll,
                     [pPoll, pOutcome, done = std::move(done)]
                     {
                         if (pOutcome->wait_for(std::chrono::seconds(0)) !=
                             std::future_status::ready)
                             return;
                         pPoll->stop();
                         pPoll->deleteLater();
                         done(pOutcome->get());
                     });
    pPoll->start();
}
