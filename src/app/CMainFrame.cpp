#include "app/CMainFrame.h"

#include "app/CPrivateMessageEvent.h"
#include "platform/IShell.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>
#include <QTreeView>

namespace
{
constexpr int NOTICE_TIMER_MS = 200;
constexpr int CLOSE_RETRY_MS = 500;

const char* const VERSION_NOTICE =
    "Version 2.3 has modified the Directeds Tab and \nadded two powerful tabs called\n\n"
    "   Files To Delete\n   and\n   Folders To Delete.\n\nPlease review them before "
    "starting Scrubix.";

QKeySequence KeyOf(const SAccelerator& accelerator)
{
    int nKey = 0;
    switch (accelerator.eKey)
    {
    case EAcceleratorKey::F2:
        nKey = Qt::Key_F2;
        break;
    case EAcceleratorKey::F3:
        nKey = Qt::Key_F3;
        break;
    case EAcceleratorKey::Delete:
        nKey = Qt::Key_Delete;
        break;
    case EAcceleratorKey::Home:
        nKey = Qt::Key_Home;
        break;
    case EAcceleratorKey::Escape:
        nKey = Qt::Key_Escape;
        break;
    default:
        return {};
    }
    return QKeySequence(nKey);
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect WorkArea()
{
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    return pScreen != nullptr ? pScreen->availableGeometry() : QRect(0, 0, 1024, 738);
}
} // namespace

CMainFrame::CMainFrame(CScrubixDoc& doc, CLaunchMode& launchMode, const std::string& strArguments,
                       const SViewServices& services, SFrameHooks hooks)
    : m_doc(doc), m_launchMode(launchMode), m_services(services), m_hooks(std::move(hooks))
{
    m_launchMode.ScanLaunchTokens(strArguments);
    setWindowTitle(QStringLiteral("Scrubix"));
    setObjectName(QStringLiteral("SXClass"));
    PlaceFromStoredScreen();

    CreateActions();
    CreateMenuAndToolbar();
    statusBar()->showMessage(Text(FindString(AFX_IDS_IDLEMESSAGE)));
    connect(statusBar(), &QStatusBar::messageChanged, this,
            [this](const QString& strMessage)
            {
                if (strMessage.isEmpty())
                    statusBar()->showMessage(Text(FindString(AFX_IDS_IDLEMESSAGE)));
            });

    m_pView = new CScrubixView(doc, *this, services);
    setCentralWidget(m_pView);
    connect(m_pView, &CScrubixView::ViewStateChanged, this, &CMainFrame::UpdateCommands);
    UpdateCommands();
    m_bPlacementReady = true;
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions()
{
    for (const SMenuItem& item : GetMainMenu())
    {
        if (item.eKind != EMenuItemKind::Item)
            continue;
        auto* pAction = new QAction(QString::fromUtf8(item.pszText), this);
        const int nId = item.nCommandId;
        pAction->setStatusTip(Text(StatusPrompt(nId)));
        const std::string_view tip = ToolTip(nId);
        pAction->setToolTip(tip.empty() ? pAction->text().remove('&').section('\t', 0, 0)
                                        : Text(tip));
        pAction->setShortcutContext(Qt::WindowShortcut);
        connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        m_actions[nId] = pAction;
        addAction(pAction);
    }
    for (const SAccelerator& accelerator : GetAccelerators())
        if (accelerator.bProgramCommand)
            if (QAction* pAction = Action(accelerator.nCommandId))
                pAction->setShortcut(KeyOf(accelerator));
}

void CMainFrame::CreateMenuAndToolbar()
{
    QMenu* pMenu = nullptr;
    for (const SMenuItem& item : GetMainMenu())
    {
        switch (item.eKind)
        {
        case EMenuItemKind::Popup:
            pMenu = menuBar()->addMenu(QString::fromUtf8(item.pszText));
            break;
        case EMenuItemKind::Separator:
            if (pMenu != nullptr)
                pMenu->addSeparator();
            break;
        case EMenuItemKind::Item:
            if (pMenu != nullptr)
                pMenu->addAction(Action(item.nCommandId));
            break;
        }
    }

    QToolBar* pToolBar = addToolBar(QStringLiteral("Toolbar"));
    pToolBar->setObjectName(QStringLiteral("Toolbar"));
    pToolBar->setIconSize(QSize(TOOLBAR_BUTTON_WIDTH, TOOLBAR_BUTTON_HEIGHT));
    pToolBar->setFloatable(false);
    for (const SToolbarButton& button : GetToolbarButtons())
    {
        if (button.nCommandId == 0)
        {
            pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = Action(button.nCommandId);
        if (pAction == nullptr)
            continue;
        const QIcon icon(QString::fromUtf8(button.pszIcon));
        if (!icon.isNull())
            pAction->setIcon(icon);
        pToolBar->addAction(pAction);
    }
}

QAction* CMainFrame::Action(int nCommandId) const
{
    const auto it = m_actions.find(nCommandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::PlaceFromStoredScreen()
{
    const QRect work = WorkArea();
    const int W = work.width();
    const int H = work.height();
    CSettingsStore& store = m_services.store;
    int x = store.GetInt("Screen", "x", 0);
    int y = store.GetInt("Screen", "y", 0);
    int cx = store.GetInt("Screen", "cx", 0);
    int cy = store.GetInt("Screen", "cy", 0);
    if (!(cx > 0 && cy > 0 && x >= 0 && y >= 0 && cx <= W && cy <= H && x <= W && y <= H))
    {
        cx = static_cast<int>(W * 0.5);
        cy = static_cast<int>(H * 0.5);
        x = (W - cx) / 2;
        y = (H - cy) / 2;
        store.SetInt("Screen", "x", x);
        store.SetInt("Screen", "y", y);
        store.SetInt("Screen", "cx", cx);
        store.SetInt("Screen", "cy", cy);
    }
    move(x, y);
    resize(cx, cy);
}

void CMainFrame::FitToView(CScrubixView& view)
{
    if (layout() != nullptr)
        layout()->activate();
    const QRect frame = frameGeometry();
    const QPoint listTopLeft = view.ResultsList()->mapTo(this, QPoint(0, 0)) + pos();
    const QRect list(listTopLeft, view.ResultsList()->size());
    const int nButtonHeight = view.SearchButton()->height();
    const int nWidth = list.width() + 2 * (list.left() - frame.left()) + 5;
    const int nHeight = (list.top() + list.height() - frame.top()) + 3 * nButtonHeight + 5;
    // The rule gives the outer rectangle; the window system adds its frame.
    const QSize decoration = frame.size() - geometry().size();
    setFixedSize(QSize(nWidth, nHeight) - decoration);
    move(frame.topLeft());
}

void CMainFrame::ArmNoticeTimer()
{
    m_noticeTimer.start(NOTICE_TIMER_MS, this);
}

void CMainFrame::SavePlacement()
{
    if (!m_bPlacementReady || isMinimized())
        return;
    const QRect work = WorkArea();
    const QRect frame = frameGeometry();
    CSettingsStore& store = m_services.store;
    store.SetInt("Screen", "x", std::max(frame.x(), 0));
    store.SetInt("Screen", "y", std::max(frame.y(), 0));
    store.SetInt("Screen", "cx", std::min(frame.width(), work.width()));
    store.SetInt("Screen", "cy", std::min(frame.height(), work.height()));
}

void CMainFrame::moveEvent(QMoveEvent* pEvent)
{
    QMainWindow::moveEvent(pEvent);
    SavePlacement();
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent)
{
    QMainWindow::resizeEvent(pEvent);
    SavePlacement();
}

void CMainFrame::UpdateCommands()
{
    const ViewState nState = m_pView != nullptr ? m_pView->GetViewState() : ViewState::None;
    const auto enable = [this](int nId, bool bEnabled)
    {
        if (QAction* pAction = Action(nId))
            pAction->setEnabled(bEnabled);
    };
    enable(ID_SEARCH, nState == ViewState::Idle);
    enable(ID_PURGE, nState == ViewState::Results && m_doc.Move == 1);
    enable(ID_MOVE, nState == ViewState::Results && m_doc.Move == 0);
    enable(ID_CANCEL, nState == ViewState::Results);
    enable(ID_OPTIONS, nState == ViewState::Idle || nState == ViewState::Results);
}

void CMainFrame::OnCommand(int nCommandId)
{
    UpdateCommands();
    const QAction* pAction = Action(nCommandId);
    if (pAction != nullptr && !pAction->isEnabled())
        return;
    switch (nCommandId)
    {
    case ID_SEARCH:
        m_pView->OnSearchCommand();
        break;
    case ID_PURGE:
    case ID_MOVE:
        m_pView->StartDisposal();
        break;
    case ID_CANCEL:
        m_pView->OnCancelCommand();
        break;
    case ID_OPTIONS:
        ShowOptions();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_HELP_FINDER:
        OpenHelp();
        break;
    case ID_APP_ABOUT:
        ShowAbout();
        break;
    default:
        break;
    }
}

bool CMainFrame::event(QEvent* pEvent)
{
    if (pEvent->type() == CPrivateMessageEvent::EventType())
    {
        const auto* pMessage = static_cast<CPrivateMessageEvent*>(pEvent);
        HandlePrivateMessage(pMessage->Message(), pMessage->WParam());
        return true;
    }
    return QMainWindow::event(pEvent);
}

void CMainFrame::HandlePrivateMessage(uint32_t nMessage, uintptr_t wParam)
{
    CScrubixView& view = *m_pView;
    switch (nMessage)
    {
    case WM_SEARCH_DONE:
        view.OnSearchDone();
        break;
    case WM_SEARCH_PATH:
        view.OnSearchPath();
        break;
    case WM_ADD_CANDIDATE:
        view.AddCandidateRow();
        break;
    case WM_DISPOSE_BEGIN:
    {
        DestroyProgressDialog();
        auto* pDialog = new QProgressDialog(this);
        pDialog->setWindowTitle(QStringLiteral("File Moving Progress"));
        pDialog->setCancelButton(nullptr);
        pDialog->setMinimumDuration(0);
        pDialog->setRange(0, view.Model().Table().GetRowCount());
        pDialog->setValue(0);
        pDialog->setLabelText(QString());
        pDialog->setAutoClose(false);
        pDialog->setAutoReset(false);
        pDialog->show();
        m_pProgressDialog = pDialog;
        view.Disposal().Acknowledge();
        break;
    }
    case WM_DISPOSE_STEP:
        if (m_pProgressDialog)
        {
            const std::string& strStep = view.Disposal().StepPath();
            m_pProgressDialog->setLabelText(
                QString::fromUtf8(strStep.data(), static_cast<qsizetype>(strStep.size())));
            m_pProgressDialog->setValue(m_pProgressDialog->value() + 1);
        }
        view.Disposal().Acknowledge();
        break;
    case WM_DISPOSE_DONE:
        DestroyProgressDialog();
        view.OnDisposeDone(static_cast<ViewState>(wParam));
        if (m_launchMode.InvisibleMode == 1 && !isVisible())
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        break;
    case WM_STARTUP_INVISIBLE:
        QCoreApplication::postEvent(&view, new CPrivateMessageEvent(WM_VIEW_STARTUP_INVISIBLE, 0));
        break;
    case WM_STARTUP_VISIBLE:
        QCoreApplication::postEvent(&view, new CPrivateMessageEvent(WM_VIEW_STARTUP_VISIBLE, 0));
        break;
    default:
        break;
    }
    emit MessageHandled(nMessage);
}

void CMainFrame::DestroyProgressDialog()
{
    if (m_pProgressDialog)
    {
        m_pProgressDialog->hide();
        delete m_pProgressDialog;
    }
    m_pProgressDialog = nullptr;
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    const ViewState nState = m_pView->GetViewState();
    if (nState == ViewState::Searching || m_pView->IsSearchRunning())
    {
        m_doc.StopFlag.store(1, std::memory_order_release);
        m_closeTimer.start(CLOSE_RETRY_MS, this);
        pEvent->ignore();
        return;
    }
    if (nState == ViewState::Disposing)
    {
        // A disposal is never cut short: the close waits for its end.
        m_closeTimer.start(CLOSE_RETRY_MS, this);
        pEvent->ignore();
        return;
    }
    const std::array<int, 3> widths = m_pView->GetColumnWidths();
    for (int i = 0; i < 3; ++i)
        m_services.store.SetInt("List", "col" + std::to_string(i), widths[static_cast<size_t>(i)]);
    m_bPlacementReady = false;
    pEvent->accept();
    deleteLater();
}

void CMainFrame::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_closeTimer.timerId())
    {
        m_closeTimer.stop();
        close();
        return;
    }
    if (pEvent->timerId() == m_noticeTimer.timerId())
    {
        m_noticeTimer.stop();
        ShowVersionNotice();
        return;
    }
    QMainWindow::timerEvent(pEvent);
}

void CMainFrame::ShowVersionNotice()
{
    if (m_services.store.GetInt("Settings", "23", 0) != 0)
        return;
    QMessageBox::information(isVisible() ? this : nullptr, QStringLiteral("Scrubix"),
                             QString::fromLatin1(VERSION_NOTICE));
    m_services.store.SetInt("Settings", "23", 1);
}

bool CMainFrame::RunWelcomeDialog()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Welcome to Scrubix!"),
                    QStringLiteral("Scrubix's usual operation is to search your drive for "
                                   "candidate unwanted files, show you the search results and "
                                   "then let you choose to Delete them (or cancel)."));
    QPushButton* pPurge =
        box.addButton(QStringLiteral("I Will Try Deletion Mode"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("I Just Want to Move Files to the Recycle Bin"),
                  QMessageBox::RejectRole);
    box.setDefaultButton(pPurge);
    box.exec();
    return box.clickedButton() != pPurge;
}

bool CMainFrame::RunPurgeWarning(bool& bDontShow)
{
    bDontShow = false;
    const auto answer = QMessageBox::question(
        isVisible() ? this : nullptr, QStringLiteral("Purge Warning!"),
        QStringLiteral("You are about to permamently delete the checked files...\n\n---> Are "
                       "you sure you want to do this?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

void CMainFrame::OpenHelp()
{
    if (m_hooks.openHelp)
    {
        m_hooks.openHelp();
        return;
    }
    const QString strHelp = QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../share/doc/scrubix/help/index.html");
    QString strPath = QFileInfo(strHelp).canonicalFilePath();
#ifdef SCRUBIX_SOURCE_HELP
    if (strPath.isEmpty())
        strPath = QStringLiteral(SCRUBIX_SOURCE_HELP);
#endif
    m_services.shell.Open(strPath.toStdString());
}

void CMainFrame::ShowAbout()
{
    QMessageBox::about(this, QStringLiteral("About Scrubix"), QStringLiteral("Scrubix"));
}

void CMainFrame::ShowOptions() {}
