#include "ui/win32/app/CScrubixApp.h"

#include "platform/win32/CWin32Registry.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/rules/InvisibleChain.h"
#include "ui/rules/UnattendedRun.h"

#include <commctrl.h>

CScrubixApp::CScrubixApp(SPlatform platform, SFrameHooks hooks)
    : m_platform(std::move(platform)), m_hooks(std::move(hooks)),
      m_pStore(std::make_unique<CSettingsStore>(*m_platform.pRegistry))
{
    if (!m_hooks.onDestroyed)
        m_hooks.onDestroyed = [this] { OnFrameDestroyed(); };
}

CScrubixApp::~CScrubixApp()
{
    m_pFrame.reset();
}

bool CScrubixApp::InitInstance(const std::string& strArguments)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // 1. One running copy per settings store.
    m_pSingleInstance = std::make_unique<CSingleInstance>(CWin32Registry::RootFromEnvironment());
    if (m_pSingleInstance->AskRunningCopyToShow())
    {
        m_bOtherCopy = true;
        return false;
    }

    // 2. The settings store's base key, seeded on a first start.
    OpenSettingsStore(*m_pStore, *m_platform.pFileSystem);

    // 3. Document, frame (launch tokens), view.
    m_pDoc = std::make_unique<CScrubixDoc>(*m_pStore, *m_platform.pFileSystem);
    m_pDoc->LoadSettings();
    // The frame reads the tokens for the run; the exit status needs them first.
    CLaunchMode requested;
    requested.ScanLaunchTokens(strArguments);
    if (requested.InvisibleMode != 0)
        m_nExitStatus = UnattendedExitStatus(SettingsReadable(), false);
    if (!m_hooks.onUnattendedPassDone)
        m_hooks.onUnattendedPassDone = [this](const SDisposalSummary& summary)
        { OnUnattendedPassDone(summary); };
    const SViewServices services{*m_platform.pFileSystem, *m_platform.pShell, *m_platform.pClock,
                                 *m_platform.pUrlCache,   *m_pStore,          m_launchMode,
                                 *m_platform.pAutostart};
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc, m_launchMode, strArguments, services, m_hooks);
    if (!m_pFrame->Create())
        return false;
    m_pSingleInstance->MarkFrame(m_pFrame->Window());
    m_pFrame->View().OnInitialUpdate();

    // An invisible run whose settings cannot be read shows its window: it
    // must not dispose of anything by rules it could not load.
    const bool bReadable = SettingsReadable();
    if (ShouldShowWindowAtStart(m_launchMode, bReadable))
    {
        ShowWindow(m_pFrame->Window(), SW_SHOW);
        UpdateWindow(m_pFrame->Window());
    }
    PostMessageW(m_pFrame->Window(), StartupMessage(m_launchMode, bReadable), 0, 0);
    return true;
}

void CScrubixApp::OnUnattendedPassDone(const SDisposalSummary& summary)
{
    m_nExitStatus = UnattendedExitStatus(SettingsReadable(), summary.bReportIncomplete);
    if (!m_bBalloonEnabled)
        return;
    m_strBalloonText = DisposalNoticeText(summary, NOTICE_BIN_RECYCLE_BIN, summary.strMovePath);
    if (m_strBalloonText.empty())
        return;
    // A click on the balloon opens the report when one was written.
    std::function<void()> onClick;
    if (NoticeOffersReport(summary))
        onClick = [this, strReport = summary.strReportPath] { m_platform.pShell->Open(strReport); };
    m_pBalloon = std::make_unique<CNotifyBalloon>();
    if (!m_pBalloon->Show(m_strBalloonText, std::move(onClick),
                          [this]
                          {
                              if (m_bFrameGone)
                                  PostQuitMessage(0);
                          }))
        m_pBalloon.reset();
}

void CScrubixApp::OnFrameDestroyed()
{
    m_bFrameGone = true;
    // The balloon keeps the program until it is clicked, closed or timed out.
    if (m_pBalloon == nullptr || !m_pBalloon->IsShowing())
        PostQuitMessage(0);
}

bool CScrubixApp::SettingsReadable() const
{
    return AreSettingsReadable(*m_pStore);
}

void CScrubixApp::DispatchOne(MSG& msg)
{
    if (m_pFrame != nullptr && m_pFrame->PreTranslateMessage(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int CScrubixApp::Run()
{
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchOne(msg);
    return static_cast<int>(msg.wParam);
}
