#pragma once

#include "CHookedFileSystem.h"
#include "CRecordingShell.h"
#include "disposal/CDisposal.h"
#include "platform/IMessagePort.h"
#include "platform/IResultsList.h"
#include "platform/IUserPrompt.h"
#include "platform/Platform.h"
#include "search/CCandidateTable.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// The main frame's message queue as the test sees it.
class CQueuePort : public IMessagePort
{
public:
    void PostMessage(uint32_t nMessage, uintptr_t wParam) override
    {
        {
            const std::lock_guard<std::mutex> guard(m_lock);
            m_queue.emplace_back(nMessage, wParam);
        }
        m_ready.notify_one();
    }
    std::pair<uint32_t, uintptr_t> Take()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_ready.wait(lock, [this] { return !m_queue.empty(); });
        auto message = m_queue.front();
        m_queue.pop_front();
        return message;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<std::pair<uint32_t, uintptr_t>> m_queue;
};

// The results list over plain rows; the test reads it only after the pass.
class CRowList : public IResultsList
{
public:
    std::vector<SCandidateRow> m_rows;
    bool m_bVisible = true;

    int GetRowCount() override { return static_cast<int>(m_rows.size()); }
    SResultsRow GetRow(int nRow) override
    {
        const SCandidateRow& row = m_rows[nRow];
        return {row.strPath, row.bChecked, row.identity};
    }
    void DeleteRow(int nRow) override { m_rows.erase(m_rows.begin() + nRow); }
    bool IsWindowVisible() override { return m_bVisible; }

    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (const SCandidateRow& row : m_rows)
            paths.push_back(row.strPath);
        return paths;
    }
};

// Answers the purge warning as scripted and counts what was shown.
class CScriptedPrompt : public IUserPrompt
{
public:
    bool m_bAnswerYes = true;
    bool m_bTickDontShow = false;
    int m_nPurgeWarnings = 0;
    int m_nAckTimeouts = 0;
    int m_nWaitCursorDepth = 0;
    int m_nWaitCursors = 0;
    std::vector<std::string> m_messages;

    void ShowAckTimeout() override { ++m_nAckTimeouts; }
    void ShowMessage(const std::string& strText) override { m_messages.push_back(strText); }
    bool ConfirmPurge(bool& bDontShowAgain) override
    {
        ++m_nPurgeWarnings;
        bDontShowAgain = m_bTickDontShow;
        return m_bAnswerYes;
    }
    void BeginWaitCursor() override
    {
        ++m_nWaitCursorDepth;
        ++m_nWaitCursors;
    }
    void EndWaitCursor() override { --m_nWaitCursorDepth; }
};

// The platform's tick, a fixed date, and a pause before a move that is only
// recorded.
class CTestClock : public IClock
{
public:
    explicit CTestClock(IClock& realClock) : m_realClock(realClock) {}

    std::vector<uint32_t> m_sleeps;
    uint32_t m_nAckTimeoutMs = 15000;
    std::time_t m_now = 795185689; // a Tuesday in March 1995

    uint32_t GetTickCount() override { return m_realClock.GetTickCount(); }
    void Sleep(uint32_t nMilliseconds) override { m_sleeps.push_back(nMilliseconds); }
    std::time_t Now() override { return m_now; }
    uint32_t GetAckTimeoutMs() override { return m_nAckTimeoutMs; }
    int64_t FileTimeNow() override { return m_realClock.FileTimeNow(); }

private:
    IClock& m_realClock;
};

// What the window saw of one pass.
struct SWindowLog
{
    std::vector<uint32_t> messages;
    std::vector<std::string> stepPaths;
    uintptr_t nResult = 0;
};

// A sandbox drive, the real backend over it, and fakes for the window and for
// the viewer that "open" would start.
class CDisposalTest : public ::testing::Test
{
protected:
    CDisposalTest()
        : m_platform(CreatePlatform()), m_store(*m_platform.pRegistry),
          m_doc(m_store, *m_platform.pFileSystem), m_shell(*m_platform.pShell),
          m_clock(*m_platform.pClock), m_fileSystem(*m_platform.pFileSystem),
          m_disposal(SDisposalServices{m_fileSystem, m_shell, m_clock, m_port, m_prompt, m_list,
                                       m_store, m_launchMode})
    {
        m_store.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath());
        m_doc.Path = "C:\\Prog";
        m_doc.MovePath = "C:\\Bak";
        m_doc.WarnMe = 0;
        m_drive.MakeFolder("C:\\Prog\\");
        m_drive.MakeFolder("C:\\Bak\\");
    }

    // Adds a row as the search would have listed it: its identity as seen now.
    void AddRow(const std::string& strPath, bool bChecked = true)
    {
        SCandidateRow row;
        row.strPath = strPath;
        row.bChecked = bChecked;
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        if (!strPath.empty())
            m_platform.pFileSystem->OpenForSize(strPath, nHigh, nLow, row.identity);
        m_list.m_rows.push_back(row);
    }

    void AddFileRow(const std::string& strPath, bool bChecked = true,
                    const std::string& strContents = "x")
    {
        m_drive.MakeFile(strPath, strContents);
        AddRow(strPath, bChecked);
    }

    // Starts the thread and plays the window until WM_DISPOSE_DONE.
    SWindowLog Run()
    {
        SWindowLog log;
        EXPECT_TRUE(m_disposal.Start(m_doc));
        for (;;)
        {
            const auto [nMessage, wParam] = m_port.Take();
            log.messages.push_back(nMessage);
            if (nMessage == WM_DISPOSE_STEP)
                log.stepPaths.push_back(m_disposal.StepPath());
            if (nMessage == WM_DISPOSE_BEGIN || nMessage == WM_DISPOSE_STEP)
                m_disposal.Acknowledge();
            if (nMessage == WM_DISPOSE_DONE)
            {
                log.nResult = wParam;
                break;
            }
        }
        m_disposal.Join();
        return log;
    }

    void MakeReadOnly(const std::string& strWindowsPath)
    {
        std::filesystem::permissions(m_drive.HostPath(strWindowsPath),
                                     std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    bool IsReadOnly(const std::string& strWindowsPath)
    {
        const auto perms = std::filesystem::status(m_drive.HostPath(strWindowsPath)).permissions();
        return (perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
    }

    std::string Report() { return m_drive.ReadFile("C:\\Prog\\anomaly.txt"); }
    // What the pass asked the shell to open, one target per line.
    std::string Opened()
    {
        std::string strText;
        for (const std::string& strTarget : m_shell.Opened())
            strText += strTarget + "\n";
        return strText;
    }

    // The report's fixed head for the test clock and C:\Prog, with "\n" for
    // line ends: compare through ExpectedReport.
    std::string ReportHead() const
    {
        return "Anomaly Report for " + FormatReportDate(m_clock.m_now) +
               "\n\nThis file can be found at C:\\Prog\\anomaly.txt\n\n";
    }
    // A whole report as the platform's text file holds it.
    static std::string ExpectedReport(const std::string& strText) { return TextModeLines(strText); }

    CSandboxDrive m_drive;
    SPlatform m_platform;
    CSettingsStore m_store;
    CScrubixDoc m_doc;
    CRecordingShell m_shell;
    CQueuePort m_port;
    CRowList m_list;
    CScriptedPrompt m_prompt;
    CTestClock m_clock;
    CHookedFileSystem m_fileSystem; // the one the disposal uses
    CLaunchMode m_launchMode;
    CDisposal m_disposal;
};
