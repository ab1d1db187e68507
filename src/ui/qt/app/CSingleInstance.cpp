#include "ui/qt/app/CSingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

namespace
{
constexpr int CONNECT_TIMEOUT_MS = 1000;
constexpr int SOCKET_PATH_LIMIT = 100; // sockaddr_un holds 108 bytes
const QByteArray SHOW_REQUEST = "show\n";
} // namespace

CSingleInstance::CSingleInstance(const QString& strRegistryFolder, QObject* pParent)
    : QObject(pParent), m_strFolder(QDir(strRegistryFolder).absolutePath()),
      m_strServerName(ServerNameFor(strRegistryFolder))
{
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
}

QString CSingleInstance::ServerNameFor(const QString& strRegistryFolder)
{
    const QString strFolder = QDir(strRegistryFolder).absolutePath();
    const QString strInside = strFolder + "/scrubix.socket";
    if (strInside.toLocal8Bit().size() < SOCKET_PATH_LIMIT)
        return strInside;
    const QByteArray hash =
        QCryptographicHash::hash(strFolder.toUtf8(), QCryptographicHash::Sha1).toHex();
    return "scrubix-" + QString::fromLatin1(hash.left(24));
}

bool CSingleInstance::AskRunningCopyToShow()
{
    QDir().mkpath(m_strFolder);
    // Two copies starting at once take turns: the second finds the first
    // listening.
    QLockFile lock(m_strFolder + "/scrubix.startlock");
    lock.setStaleLockTime(10000);
    lock.tryLock(5000);

    QLocalSocket socket;
    socket.connectToServer(m_strServerName);
    if (socket.waitForConnected(CONNECT_TIMEOUT_MS))
    {
        socket.write(SHOW_REQUEST);
        socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
        // The first copy answers once it has shown its window.
        socket.waitForReadyRead(CONNECT_TIMEOUT_MS);
        socket.disconnectFromServer();
        return true;
    }
    // No copy answers: a socket left by a copy that died is removed.
    QLocalServer::removeServer(m_strServerName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_strServerName);
    return false;
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* pSocket = m_server.nextPendingConnection())
    {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this,
                [this, pSocket]
                {
                    if (!pSocket->readAll().contains('\n'))
                        return;
                    if (m_onShow)
                        m_onShow();
                    pSocket->write("shown\n");
                    pSocket->flush();
                });
    }
}
