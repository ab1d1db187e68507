#pragma once

#include "platform/IShell.h"
#include "support/CSandboxDrive.h"
#include "ui/qt/app/CScrubixApp.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CScrubixView;
class QWidget;

// One program run's world: a sandbox drive C: with its own registry folder,
// home and runtime folder (the single-copy socket lives in the registry
// folder), settings written before the program starts, and the program
// itself, started as main() starts it but in this process.
class CAppSandbox
{
public:
    CAppSandbox();
    ~CAppSandbox();
    CAppSandbox(const CAppSandbox&) = delete;
    CAppSandbox& operator=(const CAppSandbox&) = delete;

    CSandboxDrive& Drive() { return m_drive; }

    // Settings as the store holds them, written or read through a store of
    // their own (the program may be running: the database is shared).
    void SetInt(const std::string& strSection, const std::string& strName, int32_t nValue);
    void SetString(const std::string& strSection, const std::string& strName,
                   const std::string& strValue);
    int32_t GetInt(const std::string& strSection, const std::string& strName, int32_t nDefault);
    std::string GetString(const std::string& strSection, const std::string& strName);
    // The first start's dialogs already answered: Newbie 0, the version notice seen.
    void SkipFirstRun();

    // Starts the program with the command line; nullptr when it ended at once
    // (another copy was running). The program's frame is shown unless the
    // launch mode keeps it hidden.
    CScrubixApp* Start(const std::string& strArguments = "");
    // Changes the services the next Start hands the program (a recording shell).
    void AdjustPlatform(std::function<void(SPlatform&)> adjust) { m_adjust = std::move(adjust); }
    CScrubixApp* App() const { return m_pApp.get(); }
    CMainFrame* Frame() const;
    CScrubixView& View() const;
    // Waits until the frame has been destroyed (the program's end); false on time-out.
    bool WaitForEnd(int nTimeoutMs = 20000);
    // Ends the program object (after its frame is gone, or at the test's end).
    void Stop();

private:
    CSandboxDrive m_drive;
    std::string m_strSavedRuntime;
    bool m_bHadRuntime = false;
    std::function<void(SPlatform&)> m_adjust;
    std::unique_ptr<CScrubixApp> m_pApp;
    bool m_bEnded = false;
};

// The shell with "open" recorded instead of launching anything; moving to the
// trash goes to the real one (inside the sandbox's home).
class CRecordingShell : public IShell
{
public:
    explicit CRecordingShell(std::unique_ptr<IShell> pReal) : m_pReal(std::move(pReal)) {}
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override
    {
        return m_pReal->MoveToTrash(strPath, expected);
    }
    bool MoveToTrashRecorded(const std::string& strPath, const SFileIdentity& expected,
                             STrashEntry& entry) override
    {
        return m_pReal->MoveToTrashRecorded(strPath, expected, entry);
    }
    EPutBack RestoreFromTrash(const STrashEntry& entry, const std::string& strOriginal) override
    {
        return m_pReal->RestoreFromTrash(entry, strOriginal);
    }
    bool Open(const std::string& strTarget) override
    {
        m_pOpened->push_back(strTarget);
        return true;
    }
    std::string HostPath(const std::string& strPath) override { return m_pReal->HostPath(strPath); }
    // Shared with the test, which outlives the program's services.
    std::shared_ptr<std::vector<std::string>> m_pOpened =
        std::make_shared<std::vector<std::string>>();

private:
    std::unique_ptr<IShell> m_pReal;
};

// Puts a recording shell into the sandbox's next program; returns what it records.
std::shared_ptr<std::vector<std::string>> RecordShellOpens(CAppSandbox& sandbox);

// Answers the modal boxes the program opens: each time one is up, records
// its texts and presses the button named by the next planned answer, or its
// default (OK) button when nothing is planned.
class CDialogAnswerer : public QObject
{
    Q_OBJECT
public:
    CDialogAnswerer();

    // The button to press in the next box, by its text without '&'.
    void Plan(const QString& strButton) { m_planned.push_back(strButton); }
    // Runs before each answer, with the box up (a close request, say).
    void BeforeAnswer(std::function<void()> before) { m_before = std::move(before); }
    // Ticks this check box (by its text) before pressing in the next box.
    void PlanTick(const QString& strCheckBox) { m_strTick = strCheckBox; }
    // Each answered box as "title|text".
    const QStringList& Seen() const { return m_seen; }
    int Count() const { return static_cast<int>(m_seen.size()); }
    void Clear() { m_seen.clear(); }

private:
    void Poll();

    QTimer m_timer;
    std::deque<QString> m_planned;
    QString m_strTick;
    QStringList m_seen;
    std::function<void()> m_before;
};

// The text of a label of the form, by control id.
QString LabelText(CScrubixView& view, int nControlId);
bool IsLabelShown(CScrubixView& view, int nControlId);

// The folder the built programs live in (SCRUBIX_TOOLS_DIR).
QString ToolsFolder();
