#pragma once

#include "platform/IAutostart.h"
#include "platform/Platform.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "ui/qt/pages/IPathPicker.h"
#include "ui/rules/IMessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers each box from a script (true = Yes/OK) and records what was shown.
// A box with no scripted answer is answered Yes.
class CScriptedMessageBox : public IMessageBox
{
public:
    std::deque<bool> m_answers;
    std::vector<SPrompt> m_shown;

    bool Show(const SPrompt& prompt) override;
    std::vector<std::string> Texts() const;
};

// The folder browser and file-open dialog, answered from a script (nullopt:
// cancelled), recording the titles, start folders and start files they were
// given.
class CScriptedPathPicker : public IPathPicker
{
public:
    std::deque<std::optional<std::string>> m_folders;
    std::deque<std::optional<std::string>> m_files;
    std::vector<QString> m_titles;
    std::vector<std::string> m_startFolders;
    std::vector<std::string> m_initialFiles;

    SPathChoice BrowseForFolder(QWidget* pOwner, const QString& strTitle,
                                const std::string& strStartFolder) override;
    SPathChoice OpenFile(QWidget* pOwner, const std::string& strStartFolder,
                         const std::string& strInitialFile) override;
};

// The login entry as calls: the Linux entry itself is not ours to test here.
class CRecordingAutostart : public IAutostart
{
public:
    std::vector<std::string> m_calls; // "enable <args>" or "disable"
    bool EnableAtLogin(const std::string& strArguments) override;
    bool DisableAtLogin() override;
};

// One run of the program in a sandbox: the platform's real file system and
// SQLite registry, the store opened on the program's key, the document
// loaded as at start-up (from C:\Scrubix). Restart() runs the start-up again
// on the same sandbox, as the next start of the program would.
class CPagesWorld
{
public:
    CPagesWorld();
    ~CPagesWorld();

    void Restart();
    CScrubixDoc& Doc() { return *m_pDoc; }
    CSettingsStore& Store() { return *m_pStore; }
    CSandboxDrive& Sandbox() { return m_sandbox; }
    IRegistry& Registry() { return *m_platform.pRegistry; }

    CScriptedMessageBox m_messageBox;
    CScriptedPathPicker m_pathPicker;
    CRecordingAutostart m_autostart;

private:
    CSandboxDrive m_sandbox; // first: the platform reads its environment
    SPlatform m_platform;
    std::unique_ptr<CSettingsStore> m_pStore;
    std::unique_ptr<CScrubixDoc> m_pDoc;
};

// Runs fnAct on the first visible modal widget of type T once it appears (the
// caller then starts the modal loop); fails the test after 5 s.
template <class T> void WhenModal(std::function<void(T*)> fnAct)
{
    auto* pTimer = new QTimer(qApp);
    auto* pClock = new QElapsedTimer();
    pClock->start();
    QObject::connect(pTimer, &QTimer::timeout, pTimer,
                     [pTimer, pClock, fnAct]
                     {
                         auto* pWidget = qobject_cast<T*>(QApplication::activeModalWidget());
                         if (pWidget != nullptr && pWidget->isVisible())
                         {
                             pTimer->stop();
                             pTimer->deleteLater();
                             delete pClock;
                             fnAct(pWidget);
                         }
                         else if (pClock->elapsed() > 5000)
                         {
                             pTimer->stop();
                             pTimer->deleteLater();
                             delete pClock;
                             qWarning("no modal dialog appeared");
                         }
                     });
    pTimer->start(10);
}
