#pragma once

#include "platform/Platform.h"
#include "settings/CLaunchMode.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CSingleInstance.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class CDesktopNotice;
class CScrubixDoc;
class CSettingsStore;

// The application object: one running copy per settings store, the settings
// store, the launch mode flags, and the start-up order (store, document,
// frame with its launch tokens, view, then shown or left hidden).
//
// Lives on the user-interface thread for the whole run. The program ends when
// the main frame is destroyed; a run without a visible window is normal.
class CScrubixApp : public QObject
{
    Q_OBJECT
public:
    // platform: the OS services (CreatePlatform() in the program).
    explicit CScrubixApp(SPlatform platform, SFrameHooks hooks = {});
    ~CScrubixApp() override;

    // Runs the start-up. False when this copy must end at once: another copy
    // owns the settings store and has been asked to show its window.
    // strArguments: the command line without the program's name.
    bool InitInstance(const std::string& strArguments);

    CMainFrame* Frame() const { return m_pFrame; }
    CScrubixDoc& Document() { return *m_pDoc; }
    CSettingsStore& Store() { return *m_pStore; }
    const CLaunchMode& LaunchMode() const { return m_launchMode; }
    SPlatform& Platform() { return m_platform; }

    // Whether the settings could be read at start-up.
    bool SettingsReadable() const;

    // A run with no display, on the offscreen platform (set before
    // InitInstance): an invisible run whose settings cannot be read ends at
    // once instead of showing a window nobody sees, and a later copy's
    // request to show the window is not followed.
    void SetHeadless(bool bHeadless) { m_bHeadless = bHeadless; }
    // Leaves a desktop notification after an unattended pass (the program
    // does; tests that run the program in their own process do not).
    void EnableDesktopNotice() { m_bNoticeEnabled = true; }

    // The process's exit status: 0, or for an invisible run the unreadable
    // settings or the report its pass could not write (UnattendedExitStatus).
    int ExitStatus() const { return m_nExitStatus; }

signals:
    // The main frame has been destroyed: the run is over.
    void FrameDestroyed();
    // The frame is gone and the notification no longer waits: the process may end.
    void Finished();

private:
    void ShowRunningWindow();
    void OnUnattendedPassDone();
    void OnFrameDestroyed();

    SPlatform m_platform;
    SFrameHooks m_hooks;
    std::unique_ptr<CSettingsStore> m_pStore;
    std::unique_ptr<CScrubixDoc> m_pDoc;
    SAboutLinks m_about; // the About box's link states for the run
    CLaunchMode m_launchMode;
    std::unique_ptr<CSingleInstance> m_pSingleInstance;
    QPointer<CMainFrame> m_pFrame;
    bool m_bHeadless = false;
    bool m_bNoticeEnabled = false;
    int m_nExitStatus = 0;
    CDesktopNotice* m_pNotice = nullptr; // child of this object
    std::string m_strNoticeReport;       // the report the notice offers (Windows form)
};
