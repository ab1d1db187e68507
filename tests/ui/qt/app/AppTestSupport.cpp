#include "AppTestSupport.h"

#include "platform/Platform.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>

namespace
{
// A store of its own over the sandbox's registry folder.
template <typename TUse> auto WithStore(TUse&& use)
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    return use(store);
}

QString Plain(QString strText)
{
    return strText.remove('&');
}
} // namespace

CAppSandbox::CAppSandbox()
{
    const char* pRuntime = std::getenv("XDG_RUNTIME_DIR");
    m_bHadRuntime = pRuntime != nullptr;
    if (m_bHadRuntime)
        m_strSavedRuntime = pRuntime;
    const std::filesystem::path runtime = m_drive.Root() / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

CAppSandbox::~CAppSandbox()
{
    Stop();
    if (m_bHadRuntime)
        ::setenv("XDG_RUNTIME_DIR", m_strSavedRuntime.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

void CAppSandbox::SetInt(const std::string& strSection, const std::string& strName, int32_t nValue)
{
    WithStore([&](CSettingsStore& store) { return store.SetInt(strSection, strName, nValue); });
}

void CAppSandbox::SetString(const std::string& strSection, const std::string& strName,
                            const std::string& strValue)
{
    WithStore([&](CSettingsStore& store)
              { return store.SetString(strSection, strName, strValue); });
}

int32_t CAppSandbox::GetInt(const std::string& strSection, const std::string& strName,
                            int32_t nDefault)
{
    return WithStore([&](CSettingsStore& store)
                     { return store.GetInt(strSection, strName, nDefault); });
}

std::string CAppSandbox::GetString(const std::string& strSection, const std::string& strName)
{
    return WithStore([&](CSettingsStore& store)
                     { return store.GetString(strSection, strName, ""); });
}

void CAppSandbox::SkipFirstRun()
{
    SetInt("Settings", "Newbie", 0);
    SetInt("Settings", "23", 1);
}

CScrubixApp* CAppSandbox::Start(const std::string& strArguments)
{
    SPlatform platform = CreatePlatform();
    if (m_adjust)
        m_adjust(platform);
    m_pApp = std::make_unique<CScrubixApp>(std::move(platform));
    m_bEnded = false;
    QObject::connect(m_pApp.get(), &CScrubixApp::FrameDestroyed, [this] { m_bEnded = true; });
    if (!m_pApp->InitInstance(strArguments))
    {
        m_pApp.reset();
        return nullptr;
    }
    return m_pApp.get();
}

CMainFrame* CAppSandbox::Frame() const
{
    return m_pApp ? m_pApp->Frame() : nullptr;
}

CScrubixView& CAppSandbox::View() const
{
    return Frame()->View();
}

bool CAppSandbox::WaitForEnd(int nTimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_bEnded && timer.elapsed() < nTimeoutMs)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(10);
    }
    return m_bEnded;
}

void CAppSandbox::Stop()
{
    if (!m_pApp)
        return;
    // A frame still up is closed by its own rules: a search is stopped, a
    // disposal finished.
    if (!m_bEnded && Frame() != nullptr)
    {
        Frame()->close();
        WaitForEnd(30000);
    }
    m_pApp.reset();
}

CDialogAnswerer::CDialogAnswerer()
{
    connect(&m_timer, &QTimer::timeout, this, &CDialogAnswerer::Poll);
    m_timer.start(10);
}

void CDialogAnswerer::Poll()
{
    QWidget* pModal = QApplication::activeModalWidget();
    auto* pDialog = qobject_cast<QDialog*>(pModal);
    if (pDialog == nullptr || !pDialog->isVisible())
        return;

    QString strText;
    if (auto* pBox = qobject_cast<QMessageBox*>(pDialog))
        strText = pBox->text();
    else
        for (const QLabel* pLabel : pDialog->findChildren<QLabel*>())
            if (!pLabel->text().isEmpty())
                strText += (strText.isEmpty() ? "" : "\n") + pLabel->text();
    m_seen.push_back(pDialog->windowTitle() + "|" + strText);
    if (m_before)
        m_before();

    if (!m_strTick.isEmpty())
    {
        for (QCheckBox* pCheck : pDialog->findChildren<QCheckBox*>())
            if (Plain(pCheck->text()) == m_strTick)
                pCheck->setChecked(true);
        m_strTick.clear();
    }
    QString strWanted;
    if (!m_planned.empty())
    {
        strWanted = m_planned.front();
        m_planned.pop_front();
    }
    QAbstractButton* pPress = nullptr;
    const QList<QAbstractButton*> buttons = pDialog->findChildren<QAbstractButton*>();
    for (QAbstractButton* pButton : buttons)
    {
        if (qobject_cast<QCheckBox*>(pButton) != nullptr || !pButton->isVisible())
            continue;
        const QString strButton = Plain(pButton->text());
        if (!strWanted.isEmpty() ? strButton == strWanted
                                 : (strButton == "OK" || strButton == "&OK"))
        {
            pPress = pButton;
            break;
        }
    }
    if (pPress == nullptr && strWanted.isEmpty())
        for (QPushButton* pButton : pDialog->findChildren<QPushButton*>())
            if (pButton->isDefault())
                pPress = pButton;
    if (pPress != nullptr)
        pPress->click();
    else
        pDialog->reject();
}

QString LabelText(CScrubixView& view, int nControlId)
{
    const QLabel* pLabel = view.Label(nControlId);
    return pLabel != nullptr ? pLabel->text() : QStringLiteral("<no label>");
}

bool IsLabelShown(CScrubixView& view, int nControlId)
{
    const QLabel* pLabel = view.Label(nControlId);
    return pLabel != nullptr && pLabel->isVisibleTo(&view);
}

std::shared_ptr<std::vector<std::string>> RecordShellOpens(CAppSandbox& sandbox)
{
    auto pOpened = std::make_shared<std::vector<std::string>>();
    sandbox.AdjustPlatform(
        [pOpened](SPlatform& platform)
        {
            auto pShell = std::make_unique<CRecordingShell>(std::move(platform.pShell));
            pShell->m_pOpened = pOpened;
            platform.pShell = std::move(pShell);
        });
    return pOpened;
}

QString ToolsFolder()
{
    const char* pFolder = std::getenv("SCRUBIX_TOOLS_DIR");
    return pFolder != nullptr ? QString::fromLocal8Bit(pFolder) : QString();
}
