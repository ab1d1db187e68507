#pragma once

#include "platform/Platform.h"
#include "settings/CLaunchMode.h"
#include "ui/win32/app/CMainFrame.h"
#include "ui/win32/app/CNotifyBalloon.h"
#include "ui/win32/app/CSingleInstance.h"

#include <memory>
#include <string>

class CScrubixDoc;
class CSettingsStore;

// The application object: one running copy per settings store, the settings
// store, the launch mode flags, and the start-up order (one copy, store,
// document, frame with its launch tokens, view, then shown or left hidden).
//
// Lives on the user-interface thread for the whole run. The program ends when
// the main frame's window is destroyed (hooks.onDestroyed, by default a quit
// message for the message loop); a run without a visible window is normal.
class CScrubixApp
{
public:
    // platform: the OS services (CreatePlatform() in the program).
    explicit CScrubixApp(SPlatform platform, SFrameHooks hooks = {});
    ~CScrubixApp();
    CScrubixApp(const CScrubixApp&) = delete;
    CScrubixApp& operator=(const CScrubixApp&) = delete;

    // Runs the start-up. False when this copy must end at once: another copy
    // owns the settings store and its window has been brought forward (or the
    // window could not be made). strArguments: the command line without the
    // program's name.
    bool InitInstance(const std::string& strArguments);

    // The message loop until the frame has gone; the exit code.
    int Run();
    // One message's way through the frame's keyboard handling and on to its
    // window (tests that pump messages use it too).
    void DispatchOne(MSG& msg);

    CMainFrame* Frame() const { return m_pFrame.get(); }
    CScrubixDoc& Document() { return *m_pDoc; }
    CSettingsStore& Store() { return *m_pStore; }
    const CLaunchMode& LaunchMode() const { return m_launchMode; }
    SPlatform& Platform() { return m_platform; }

    // Whether the settings could be read at start-up.
    bool SettingsReadable() const;
    // After InitInstance returned false: true when it ended for another
    // copy (a normal end), false when the window could not be made.
    bool EndedForOtherCopy() const { return m_bOtherCopy; }

    // Leaves a notification-area balloon after an unattended pass (the
    // program does; tests that run the program in their own process do not
    // unless they ask). Set before InitInstance.
    void EnableNotifyBalloon() { m_bBalloonEnabled = true; }
    // The balloon of the last unattended pass (nullptr when none was made).
    CNotifyBalloon* Balloon() const { return m_pBalloon.get(); }
    // The text the balloon was given (empty when none).
    const std::string& BalloonText() const { return m_strBalloonText; }
    // The process's exit status: 0, or for an invisible run the unreadable
    // settings or the report its pass could not write (UnattendedExitStatus).
    int ExitStatus() const { return m_nExitStatus; }

private:
    void OnUnattendedPassDone(const SDisposalSummary& summary);
    void OnFrameDestroyed();

    SPlatform m_platform;
    SFrameHooks m_hooks;
    std::unique_ptr<CSettingsStore> m_pStore;
    std::unique_ptr<CScrubixDoc> m_pDoc;
    CLaunchMode m_launchMode;
    std::unique_ptr<CSingleInstance> m_pSingleInstance;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bOtherCopy = false;
    bool m_bBalloonEnabled = false;
    bool m_bFrameGone = false;
    int m_nExitStatus = 0;
    std::unique_ptr<CNotifyBalloon> m_pBalloon;
    std::string m_strBalloonText;
};
