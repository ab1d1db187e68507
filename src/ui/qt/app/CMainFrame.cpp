#include "ui/qt/app/CMainFrame.h"

#include "platform/IShell.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "ui/qt/app/CFramePort.h"
#include "ui/qt/app/CPrivateMessageEvent.h"
#include "ui/qt/app/HelpPage.h"
#include "ui/qt/dialogs/CAboutDialog.h"
#include "ui/qt/dialogs/CPurgeWarningDialog.h"
#include "ui/qt/dialogs/CWelcomeDialog.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/qt/pages/COptionsSheet.h"
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/StringTable.h"
#include "ui/rules/CloseRules.h"
#include "ui/rules/ColumnWidths.h"
#include "ui/rules/Commands.h"
#include "ui/rules/FrameGeometry.h"
#include "ui/rules/FrameTexts.h"
#include "ui/rules/InvisibleChain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>
#include <QTreeView>

namespace
{
constexpr int NOTICE_TIMER_MS = 200;

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

SRect ToRect(const QRect& rect)
{
    return SRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
} // namespace

CMainFrame::CMainFrame(CScrubixDoc& doc, CLaunchMode& launchMode, const std::string& strArguments,
                       const SViewServices& services, SAboutLinks& about, SFrameHooks hooks)
    : m_doc(doc), m_launchMode(launchMode), m_services(services), m_about(about),
      m_hooks(std::move(hooks))
{
    m_launchMode.ScanLaunchTokens(strArguments);
    setWindowTitle(QStringLiteral("Scrubix"));
    setObjectName(QStringLiteral("SXClass"));
    PlaceFromStoredScreen();

    CreateActions();
    CreateListActions();
    CreateMenuAndToolbar();
    AddListMenus();
    m_pCheckedLabel = new QLabel(this);
    m_pCheckedLabel->setAccessibleName(QStringLiteral("Checked rows"));
    statusBar()->addPermanentWidget(m_pCheckedLabel);
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
    connect(m_pView, &CScrubixView::CurrentRowChanged, this, &CMainFrame::UpdateListCommands);
    connect(&m_pView->Model(), &CResultsModel::CheckedCountsChanged, this,
            [this] { m_pCheckedLabel->setText(m_pView->CheckedText()); });
    connect(&m_pView->Model(), &QAbstractItemModel::rowsInserted, this,
            &CMainFrame::UpdateListCommands);
    connect(&m_pView->Model(), &QAbstractItemModel::rowsRemoved, this,
            &CMainFrame::UpdateListCommands);
    connect(&m_pView->Model(), &QAbstractItemModel::modelReset, this,
            &CMainFrame::UpdateListCommands);
    connect(m_pView->ResultsList(), &QWidget::customContextMenuRequested, this,
            &CMainFrame::ShowListContextMenu);
    m_pCheckedLabel->setText(m_pView->CheckedText());
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
    bool bReplaced = false;
    const SPlacement placement = ChooseInitialPlacement(ReadPlacement(m_services.store),
                                                        work.width(), work.height(), bReplaced);
    if (bReplaced)
        WritePlacement(m_services.store, placement);
    move(placement.x, placement.y);
    resize(placement.cx, placement.cy);
}

void CMainFrame::FitToView(CScrubixView& view)
{
    if (layout() != nullptr)
        layout()->activate();
    const QRect frame = frameGeometry();
    const auto onScreen = [](const QWidget* pWidget)
    { return QRect(pWidget->mapToGlobal(QPoint(0, 0)), pWidget->size()); };
    const SRect fit = FitFrameToForm(ToRect(frame), ToRect(onScreen(view.SearchButton())),
                                     ToRect(onScreen(view.ResultsList())));
    // The rule gives the outer rectangle; the window system adds its frame.
    const QSize decoration = frame.size() - geometry().size();
    setFixedSize(QSize(fit.Width(), fit.Height()) - decoration);
    move(fit.nLeft, fit.nTop);
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
    WritePlacement(
        m_services.store,
        ClampPlacementForSaving(SPlacement{frame.x(), frame.y(), frame.width(), frame.height()},
                                work.width(), work.height()));
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
    for (const ECommand command : ALL_COMMANDS)
        if (QAction* pAction = Action(static_cast<int>(CommandId(command))))
            pAction->setEnabled(IsCommandEnabled(command, nState, m_doc.Move));
    UpdateListCommands();
}

void CMainFrame::OnCommand(int nCommandId)
{
    UpdateCommands();
    ECommand command = ECommand::Search;
    if (!CommandFromId(static_cast<uint32_t>(nCommandId), command))
        return;
    const QAction* pAction = Action(nCommandId);
    if (pAction != nullptr && !pAction->isEnabled())
        return;
    switch (command)
    {
    case ECommand::Search:
        m_pView->OnSearchCommand();
        break;
    case ECommand::Purge:
    case ECommand::Move:
        m_pView->StartDisposal();
        break;
    case ECommand::Cancel:
        m_pView->OnCancelCommand();
        break;
    case ECommand::Options:
        ShowOptions();
        break;
    case ECommand::Exit:
        close();
        break;
    case ECommand::HelpTopics:
        OpenHelp();
        break;
    case ECommand::About:
        ShowAbout();
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
    if (pEvent->type() == CFramePort::DrainEventType())
    {
        m_pView->Port().HandleWaiting([this](uint32_t nMessage, uintptr_t wParam)
                                      { HandlePrivateMessage(nMessage, wParam); });
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
        auto* pDialog = new CProgressDialog(this);
        pDialog->m_nTotal = view.Model().Table().GetRowCount();
        pDialog->Create();
        m_pProgressDialog = pDialog;
        view.Disposal().Acknowledge();
        break;
    }
    case WM_DISPOSE_STEP:
        if (m_pProgressDialog)
        {
            const std::string& strStep = view.Disposal().StepPath();
            m_pProgressDialog->Step(QString::fromStdString(strStep));
        }
        view.Disposal().Acknowledge();
        break;
    case WM_DISPOSE_DONE:
        DestroyProgressDialog();
        view.OnDisposeDone(wParam);
        if (ShouldCloseAfterDisposal(m_launchMode, isVisible()))
        {
            emit UnattendedPassDone();
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
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
    ViewState nState = m_pView->GetViewState();
    // Between Search and the start timer the state is Searching too; a
    // thread that has not been joined yet counts as a running search.
    if (m_pView->IsSearchRunning() && nState != ViewState::Disposing)
        nState = ViewState::Searching;
    switch (DecideClose(nState))
    {
    case ECloseAction::StopSearchAndRetry:
        m_doc.StopFlag.store(1, std::memory_order_release);
        m_closeTimer.start(static_cast<int>(CLOSE_RETRY_MS), this);
        pEvent->ignore();
        return;
    case ECloseAction::RetryAfterDisposal:
        // A disposal is never cut short: the close waits for its end.
        m_closeTimer.start(static_cast<int>(CLOSE_RETRY_MS), this);
        pEvent->ignore();
        return;
    case ECloseAction::Close:
        break;
    }
    const std::array<int, 4> widths = m_pView->GetColumnWidths();
    WriteColumnWidths(m_services.store, ColumnWidths{widths[0], widths[1], widths[2], widths[3]});
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
    // Kept for a start with a display: nobody would read it now.
    if (m_services.store.GetInt("Settings", "23", 0) != 0 || IsHeadless())
        return;
    ShowScrubixMessage(isVisible() ? this : nullptr, QString::fromLatin1(VERSION_NOTICE_TEXT));
    m_services.store.SetInt("Settings", "23", 1);
}

bool CMainFrame::RunWelcomeDialog()
{
    CWelcomeDialog welcome(m_services.shell, HelpIndexPath(), isVisible() ? this : nullptr);
    return CWelcomeDialog::ChoosesMove(welcome.exec());
}

bool CMainFrame::RunPurgeWarning(bool& bDontShow)
{
    return CPurgeWarningDialog::Confirm(bDontShow, isVisible() ? this : nullptr);
}

void CMainFrame::OpenHelp()
{
    if (m_hooks.openHelp)
    {
        m_hooks.openHelp();
        return;
    }
    const QString strHelp = HelpIndexPath();
    if (strHelp.isEmpty() || !m_services.shell.Open(strHelp.toStdString()))
        QApplication::beep();
}

void CMainFrame::ShowAbout()
{
    CAboutDialog about(m_services.shell, m_about.bEmailVisited, m_about.bWebVisited,
                       HelpIndexPath(), isVisible() ? this : nullptr);
    about.exec();
}

void CMainFrame::ShowOptions()
{
    const SOptionsOutcome outcome =
        RunOptionsSheet(this, m_doc, m_pView->GetViewState(), m_services.autostart);
    if (!outcome.bAccepted)
        return;
    m_pView->ActionButton()->setText(outcome.strActionText);
    UpdateCommands();
}
