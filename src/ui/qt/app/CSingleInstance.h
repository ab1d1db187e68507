#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

// One running copy per settings store. The copy that owns the store listens on
// a local socket named from the store's folder, so a sandboxed copy and the
// user's own copy never meet; any later copy only asks it to show its window.
//
// Runs on the user-interface thread.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& strRegistryFolder, QObject* pParent = nullptr);

    // True when another copy answered and was asked to show itself: this copy
    // must end. False when this copy now listens (it is the first one).
    bool AskRunningCopyToShow();

    // Called on the first copy whenever a later copy asks to be shown.
    void SetShowHandler(std::function<void()> onShow) { m_onShow = std::move(onShow); }

    const QString& ServerName() const { return m_strServerName; }

    // The socket name for a registry folder: a path inside the folder when it
    // is short enough, else a name derived from the folder's path.
    static QString ServerNameFor(const QString& strRegistryFolder);

private:
    void OnNewConnection();

    QString m_strFolder;
    QString m_strServerName;
    QLocalServer m_server;
    std::function<void()> m_onShow;
};
