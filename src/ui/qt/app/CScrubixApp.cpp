#include "ui/qt/app/CScrubixApp.h"

#include "platform/posix/CSqliteRegistry.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/qt/app/CDesktopNotice.h"
#include "ui/qt/app/CPrivateMessageEvent.h"
#include "ui/rules/InvisibleChain.h"
#include "ui/rules/UnattendedRun.h"

#include <QApplication>
#include <cstdio>

CScrubixApp::CScrubixApp(SPlatform platform, SFrameHooks hooks)
    : m_platform(std::move(platform)), m_hooks(std::move(hooks)),
      m_pStore(std::make_unique<CSettingsStore>(*m_platform.pRegistry))
{
}

CScrubixApp::~CScrubixApp()
{
    delete m_pFrame.data();
}

bool CScrubixApp::InitInstance(const std::string& strArguments)
{
    // 1. One running copy per settings store.
    m_pSingleInstance = std::make_unique<CSingleInstance>(
        QString::fromStdString(CSqliteRegistry::FolderFromEnvironment()));
    if (m_pSingleInstance->AskRunningCopyToShow())
        return false;
    m_pSingleInstance->SetShowHandler([this] { ShowRunningWindow(); });

    // 2. The settings store's base key, seeded on a first start.
    OpenSettingsStore(*m_pStore, *m_platform.pFileSystem);

    // 3. Document, frame (launch tokens), view.
    m_pDoc = std::make_unique<CScrubixDoc>(*m_pStore, *m_platform.pFileSystem);
    m_pDoc->LoadSettings();
    const bool bReadable = SettingsReadable();
    // The frame reads the tokens for the run; the exit status needs them first.
    CLaunchMode requested;
    requested.ScanLaunchTokens(strArguments);
    if (requested.InvisibleMode != 0)
        m_nExitStatus = UnattendedExitStatus(bReadable, false);
    // Without a display the window that unreadable settings call for would
    // wait for nobody: the run ends here, having touched nothing.
    if (m_bHeadless && requested.InvisibleMode != 0 && !bReadable)
    {
        std::fprintf(stderr, "%s\n", SETTINGS_UNREADABLE_TEXT);
        return false;
    }
    const SViewServices services{*m_platform.pFileSystem, *m_platform.pShell, *m_platform.pClock,
                                 *m_platform.pUrlCache,   *m_pStore,          m_launchMode,
                                 *m_platform.pAutostart};
    m_pFrame = new CMainFrame(*m_pDoc, m_launchMode, strArguments, services, m_about, m_hooks);
    m_pFrame->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_pFrame, &QObject::destroyed, this, &CScrubixApp::FrameDestroyed);
    connect(m_pFrame, &QObject::destroyed, this, &CScrubixApp::OnFrameDestroyed);
    connect(m_pFrame, &CMainFrame::UnattendedPassDone, this, &CScrubixApp::OnUnattendedPassDone);
    m_pFrame->View().OnInitialUpdate();

    // An invisible run whose settings cannot be read shows its window: it
    // must not dispose of anything by rules it could not load.
    if (ShouldShowWindowAtStart(m_launchMode, bReadable))
    {
        m_pFrame->show();
        m_pFrame->repaint();
    }
    QCoreApplication::postEvent(
        m_pFrame, new CPrivateMessageEvent(StartupMessage(m_launchMode, bReadable), 0));
    return true;
}

bool CScrubixApp::SettingsReadable() const
{
    return AreSettingsReadable(*m_pStore);
}

void CScrubixApp::OnUnattendedPassDone()
{
    const SDisposalSummary& summary = m_pFrame->View().Disposal().Summary();
    m_nExitStatus = UnattendedExitStatus(SettingsReadable(), summary.bReportIncomplete);
    if (!m_bNoticeEnabled)
        return;
    IShell& shell = *m_platform.pShell;
    const std::string strText =
        DisposalNoticeText(summary, NOTICE_BIN_TRASH, shell.HostPath(summary.strMovePath));
    if (strText.empty())
        return;
    m_pNotice = new CDesktopNotice(this);
    m_strNoticeReport = summary.strReportPath;
    connect(m_pNotice, &CDesktopNotice::OpenReportRequested, this,
            [this] { m_platform.pShell->Open(m_strNoticeReport); });
    connect(m_pNotice, &CDesktopNotice::Done, this,
            [this]
            {
                if (!m_pFrame)
                    emit Finished();
            });
    m_pNotice->Show(QString::fromStdString(strText), NoticeOffersReport(summary));
}

void CScrubixApp::OnFrameDestroyed()
{
    if (m_pNotice == nullptr || !m_pNotice->IsWaiting())
        emit Finished();
}

void CScrubixApp::ShowRunningWindow()
{
    // With no display the window cannot be shown: the run stays unattended.
    if (!m_pFrame || m_bHeadless)
        return;
    if (m_pFrame->isMinimized())
        m_pFrame->showNormal();
    else
        m_pFrame->show();
    m_pFrame->raise();
    m_pFrame->activateWindow();
    if (QWidget* pModal = QApplication::activeModalWidget())
        pModal->raise();
}
