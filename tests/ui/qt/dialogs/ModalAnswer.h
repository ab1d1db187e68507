#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next modal dialog once it is up: polls every 20 ms until a
// modal widget is active, then hands it to the answer (which clicks a button
// or sends a key). Call before exec().
inline void AnswerNextModal(std::function<void(QWidget*)> answer)
{
    auto* pPoll = new QTimer(qApp);
    pPoll->setInterval(20);
    QObject::connect(pPoll, &QTimer::timeout,
                     [pPoll, answer]
                     {
                         QWidget* pModal = QApplication::activeModalWidget();
                         if (pModal == nullptr || !pModal->isVisible())
                             return;
                         pPoll->stop();
                         pPoll->deleteLater();
                         answer(pModal);
                     });
    pPoll->start();
}
