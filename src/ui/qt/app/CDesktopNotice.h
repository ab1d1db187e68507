#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// The word left after an unattended run: one desktop notification through the
// session bus's org.freedesktop.Notifications, with the action "Open Report"
// when a report was written and the server offers actions.
//
// With an action the program stays to hear it: until the server says the
// notification was acted on or closed, and at most NOTICE_ACTION_WAIT_MS.
// No session bus, or no notification server on it: nothing is shown, at
// once and without a message. User-interface thread only.
class CDesktopNotice : public QObject
{
    Q_OBJECT
public:
    explicit CDesktopNotice(QObject* pParent = nullptr);

    // Shows the text. True when the program now waits for the action (Done
    // follows); false when it has nothing to wait for.
    bool Show(const QString& strText, bool bOfferReport);
    bool IsWaiting() const { return m_bWaiting; }

    // The interface, its path and the action's key.
    static constexpr const char* SERVICE = "org.freedesktop.Notifications";
    static constexpr const char* PATH = "/org/freedesktop/Notifications";
    static constexpr const char* OPEN_REPORT_ACTION = "open-report";

signals:
    // The user chose "Open Report".
    void OpenReportRequested();
    // The wait is over (acted on, closed, or timed out).
    void Done();

private slots:
    void OnActionInvoked(uint nId, const QString& strAction);
    void OnNotificationClosed(uint nId, uint nReason);

private:
    void Finish();

    bool m_bWaiting = false;
    uint m_nId = 0;
    QTimer m_waitTimer;
};
