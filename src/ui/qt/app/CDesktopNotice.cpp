#include "ui/qt/app/CDesktopNotice.h"

#include "ui/rules/UnattendedRun.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace
{
// A server that does not answer within this long is taken to be absent.
constexpr int CALL_TIMEOUT_MS = 3000;
constexpr const char* INTERFACE = "org.freedesktop.Notifications";
} // namespace

CDesktopNotice::CDesktopNotice(QObject* pParent) : QObject(pParent)
{
    m_waitTimer.setSingleShot(true);
    connect(&m_waitTimer, &QTimer::timeout, this, &CDesktopNotice::Finish);
}

bool CDesktopNotice::Show(const QString& strText, bool bOfferReport)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;

    const QDBusMessage capabilities = bus.call(
        QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("GetCapabilities")),
        QDBus::Block, CALL_TIMEOUT_MS);
    if (capabilities.type() != QDBusMessage::ReplyMessage || capabilities.arguments().isEmpty())
        return false;
    const QStringList offered = capabilities.arguments().constFirst().toStringList();
    const bool bAction = bOfferReport && offered.contains(QStringLiteral("actions"));

    QStringList actions;
    if (bAction)
        actions << QString::fromLatin1(OPEN_REPORT_ACTION) << QString::fromUtf8(NOTICE_OPEN_REPORT);
    // Servers that read markup in the body get the text escaped.
    const QString strBody =
        offered.contains(QStringLiteral("body-markup")) ? strText.toHtmlEscaped() : strText;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.scrubix.Scrubix"));
    QDBusMessage notify =
        QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("Notify"));
    notify << QStringLiteral("Scrubix") << uint(0) << QStringLiteral("org.scrubix.Scrubix")
           << QString::fromUtf8(NOTICE_TITLE) << strBody << actions << hints << int(-1);

    if (bAction)
    {
        // Listened to before the call, so an answer that comes at once is heard.
        bus.connect(QString(), PATH, INTERFACE, QStringLiteral("ActionInvoked"), this,
                    SLOT(OnActionInvoked(uint, QString)));
        bus.connect(QString(), PATH, INTERFACE, QStringLiteral("NotificationClosed"), this,
                    SLOT(OnNotificationClosed(uint, uint)));
    }
    const QDBusMessage reply = bus.call(notify, QDBus::Block, CALL_TIMEOUT_MS);
    if (!bAction || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    m_nId = reply.arguments().constFirst().toUInt();
    m_bWaiting = true;
    m_waitTimer.start(NOTICE_ACTION_WAIT_MS);
    return true;
}

void CDesktopNotice::OnActionInvoked(uint nId, const QString& strAction)
{
    if (!m_bWaiting || nId != m_nId)
        return;
    if (strAction == QLatin1String(OPEN_REPORT_ACTION))
        emit OpenReportRequested();
    Finish();
}

void CDesktopNotice::OnNotificationClosed(uint nId, uint /*nReason*/)
{
    if (m_bWaiting && nId == m_nId)
        Finish();
}

void CDesktopNotice::Finish()
{
    if (!m_bWaiting)
        return;
    m_bWaiting = false;
    m_waitTimer.stop();
    emit Done();
}
