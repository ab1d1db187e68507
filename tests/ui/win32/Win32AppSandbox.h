#pragma once

#include "support/CSandboxDrive.h"
#include "ui/win32/app/CScrubixApp.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// One program run's world for the window tests: a sandbox drive C: with its
// own scratch registry key, settings written before the program starts, and
// the program itself, started as WinMain starts it but in this process and
// on this thread. The frame's end is recorded instead of quitting.
class CWin32AppSandbox
{
public:
    CWin32AppSandbox() = default;
    ~CWin32AppSandbox();
    CWin32AppSandbox(const CWin32AppSandbox&) = delete;
    CWin32AppSandbox& operator=(const CWin32AppSandbox&) = delete;

    CSandboxDrive& Drive() { return m_drive; }

    // Settings through a store of their own (the program may be running).
    void SetInt(const std::string& strSection, const std::string& strName, int32_t nValue);
    void SetString(const std::string& strSection, const std::string& strName,
                   const std::string& strValue);
    int32_t GetInt(const std::string& strSection, const std::string& strName, int32_t nDefault);
    std::string GetString(const std::string& strSection, const std::string& strName);
    // The first start's dialogs already answered: Newbie 0, the version notice seen.
    void SkipFirstRun();

    // Changes the OS services the next Start hands the program (a fake at a
    // window seam, such as a shell that records what it opens).
    void AdjustPlatform(std::function<void(SPlatform&)> adjust) { m_adjust = std::move(adjust); }
    // The next Start's program leaves its balloon after an unattended pass.
    void EnableBalloon() { m_bBalloon = true; }

    // Starts the program with the command line; nullptr when it ended at once
    // (another copy was running).
    CScrubixApp* Start(const std::string& strArguments = "", SFrameHooks hooks = {});
    CScrubixApp* App() const { return m_pApp.get(); }
    CMainFrame& Frame() const { return *m_pApp->Frame(); }
    CScrubixView& View() const { return m_pApp->Frame()->View(); }
    // The frame's window has been destroyed: the program's end.
    bool Ended() const { return *m_pEnded; }
    // Pumps until the program has ended; false on time-out.
    bool WaitForEnd(int nTimeoutMs = 20000);
    // Ends the program object (after its frame is gone, or at the test's end).
    void Stop();

private:
    CSandboxDrive m_drive;
    std::unique_ptr<CScrubixApp> m_pApp;
    std::function<void(SPlatform&)> m_adjust;
    bool m_bBalloon = false;
    std::shared_ptr<bool> m_pEnded = std::make_shared<bool>(false);
};

// Pumps this thread's messages (through the program's keyboard handling when
// pApp is given) until done() holds; false after nTimeoutMs.
bool PumpUntil(const std::function<bool()>& done, int nTimeoutMs = 20000,
               CScrubixApp* pApp = nullptr);
// Pumps for the given time.
void PumpFor(int nMilliseconds, CScrubixApp* pApp = nullptr);

// A window's text as UTF-8.
std::string TextOf(HWND hWnd);
bool IsShown(HWND hWnd);
bool IsEnabled(HWND hWnd);

// Answers the modal boxes the program opens on this thread: while it lives,
// a thread timer (which every modal loop runs) finds each box as it comes up,
// records its title and texts, ticks what was planned and presses the button
// named by the next planned answer, or OK (else Cancel) when nothing is
// planned.
class CModalAnswerer
{
public:
    CModalAnswerer();
    ~CModalAnswerer();
    CModalAnswerer(const CModalAnswerer&) = delete;
    CModalAnswerer& operator=(const CModalAnswerer&) = delete;

    // The button to press in the next box, by its text without '&'.
    void Plan(const std::string& strButton) { m_planned.push_back(strButton); }
    // Ticks this check box (by control id) before pressing in the next box.
    void PlanTick(int nCheckBoxId) { m_nTick = nCheckBoxId; }
    // Runs before each answer, with the box up.
    void BeforeAnswer(std::function<void()> before) { m_before = std::move(before); }
    // Each answered box as "title|texts".
    const std::vector<std::string>& Seen() const { return m_seen; }
    int Count() const { return static_cast<int>(m_seen.size()); }
    void Clear() { m_seen.clear(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    UINT_PTR m_nTimer = 0;
    std::vector<std::string> m_planned;
    int m_nTick = 0;
    std::vector<std::string> m_seen;
    std::function<void()> m_before;
    HWND m_hLastAnswered = nullptr;
    bool m_bBusy = false;
};
