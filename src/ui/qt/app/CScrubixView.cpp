#include "ui/qt/app/CScrubixView.h"

#include "platform/IFileSystem.h"
#include "platform/ProgramFiles.h"
#include "search/WaitForAck.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "ui/qt/app/CDriveBox.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CPrivateMessageEvent.h"
#include "ui/qt/app/CResultsTreeView.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/qt/dialogs/TextFit.h"
#include "ui/res/DialogUnits.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"
#include "ui/rules/ColumnWidths.h"
#include "ui/rules/Commands.h"
#include "ui/rules/DriveBox.h"
#include "ui/rules/FirstStartWelcome.h"
#include "ui/rules/FrameTexts.h"
#include "ui/rules/InvisibleChain.h"
#include "ui/rules/StartSearch.h"
#include "ui/rules/ViewStateEffects.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimerEvent>
#include <QTreeView>

namespace
{
constexpr int START_TIMER_MS = 100;
constexpr int BATCH_TIMER_MS = 50;
constexpr int BATCH_ROWS = 2000;
// The labels a search updates with every message are redrawn at most this
// often: drawing them once a message would cost more than the walk itself.
constexpr int TEXT_TIMER_MS = 40;

QRect ToPixels(const SControlTemplate& control, const SDialogBaseUnits& base)
{
    const SUnitRect rect = DialogRectToPixels(
        SUnitRect{control.nLeft, control.nTop, control.nWidth, control.nHeight}, base);
    return QRect(rect.nLeft, rect.nTop, rect.nWidth, rect.nHeight);
}
} // namespace

CScrubixView::CScrubixView(CScrubixDoc& doc, CMainFrame& frame, const SViewServices& services)
    : QWidget(&frame), m_doc(doc), m_frame(frame), m_services(services), m_model(m_table),
      m_port(&frame),
      m_prompt(this, [this](bool& bDontShow) { return ShowPurgeWarning(bDontShow); }),
      m_resultsList(this, m_model, [this] { return m_frame.isVisible(); }),
      m_disposal(SDisposalServices{services.fileSystem, services.shell, services.clock, m_port,
                                   m_prompt, m_resultsList, services.store, services.launchMode}),
      m_search(CSearchContext{doc, m_port, m_prompt, services.clock, services.urlCache})
{
    BuildForm();
}

CScrubixView::~CScrubixView() = default;

void CScrubixView::BuildForm()
{
    const SDialogTemplate& form = GetFormTemplate();
    const QFontMetrics metrics(font());
    const SDialogBaseUnits base{
        AverageCharWidth(metrics.horizontalAdvance(QString::fromLatin1(AVERAGE_WIDTH_SAMPLE))),
        metrics.height()};
    setFixedSize(DialogUnitsToPixelsX(form.nWidth, base), DialogUnitsToPixelsY(form.nHeight, base));

    std::vector<QWidget*> widgets;
    for (const SControlTemplate& control : form.controls)
    {
        QWidget* pWidget = nullptr;
        const QString strText = QString::fromUtf8(control.pszText);
        switch (control.eKind)
        {
        case EControlKind::ComboDropDownList:
            m_pDriveBox = new CDriveBox(this);
            pWidget = m_pDriveBox;
            break;
        case EControlKind::DefPushButton:
        case EControlKind::PushButton:
        {
            auto* pButton = new QPushButton(strText, this);
            pButton->setAutoDefault(false);
            if (control.nId == IDC_SEARCH)
                m_pSearchButton = pButton;
            else if (control.nId == IDC_ACTION)
                m_pActionButton = pButton;
            else if (control.nId == IDC_CANCEL_RESULTS)
                m_pCancelButton = pButton;
            pWidget = pButton;
            break;
        }
        case EControlKind::ListView:
            m_pList = new CResultsTreeView(this);
            pWidget = m_pList;
            break;
        default:
        {
            auto* pLabel = new QLabel(strText, this);
            pLabel->setTextFormat(Qt::PlainText);
            pLabel->setWordWrap(false);
            if (control.eKind == EControlKind::LabelRight)
                pLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (control.nId != ID_STATIC)
            {
                m_labels[control.nId] = pLabel;
                if (strText == QLatin1String("Static"))
                    pLabel->setText(QString()); // the placeholder is never shown
            }
            pWidget = pLabel;
            break;
        }
        }
        QRect rect = ToPixels(control, base);
        if (control.eKind == EControlKind::ComboDropDownList)
            rect.setHeight(m_pDriveBox->sizeHint().height()); // the height is the dropped list's
        pWidget->setGeometry(rect);
        if (control.pszAccessibleName != nullptr)
            pWidget->setAccessibleName(QString::fromUtf8(control.pszAccessibleName));
        widgets.push_back(pWidget);
    }
    // The template's rectangles were sized for a narrower face: a caption
    // that does not fit takes the free space beside it.
    GrowTextsToFit(widgets, this, std::max(1, DialogUnitsToPixelsX(1, base)));

    m_pDriveBox->setAccessibleName(QStringLiteral("Drive"));
    m_pList->setAccessibleName(QStringLiteral("Results"));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Sorting is the table's own (the disposal walks the order shown), so
    // the view's sorting stays off and a header click asks the table.
    m_pList->setSortingEnabled(false);
    m_pList->setModel(&m_model);
    m_pList->header()->setStretchLastSection(false);
    m_pList->header()->setSectionsMovable(false);
    m_pList->header()->setSectionsClickable(true);
    m_pList->header()->setSortIndicatorShown(false);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pList->installEventFilter(this);
    connect(m_pList->header(), &QHeaderView::sectionClicked, this, &CScrubixView::SortByColumn);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { emit CurrentRowChanged(); });

    connect(m_pSearchButton, &QPushButton::clicked, this, &CScrubixView::OnSearchCommand);
    connect(m_pActionButton, &QPushButton::clicked, this, [this] { StartDisposal(); });
    connect(m_pCancelButton, &QPushButton::clicked, this, &CScrubixView::OnCancelCommand);
}

QLabel* CScrubixView::Label(int nControlId) const
{
    const auto it = m_labels.find(nControlId);
    return it == m_labels.end() ? nullptr : it->second;
}

void CScrubixView::OnInitialUpdate()
{
    FitFrameToForm();
    RunWelcome();
    SetViewState(ViewState::Idle);
    SetUpColumns();
    FillDriveBox();
    PushTexts();
    m_frame.ArmNoticeTimer();
}

void CScrubixView::FitFrameToForm()
{
    m_frame.FitToView(*this);
    m_fixedFrameSize = m_frame.size();
    m_bFixedFrameSize = true;
}

void CScrubixView::RunWelcome()
{
    // Nobody can answer it without a display: asked at the next start that has one.
    if (IsHeadless())
        return;
    RunFirstStartWelcome(m_doc, m_services.store, [this] { return m_frame.RunWelcomeDialog(); });
}

void CScrubixView::SetUpColumns()
{
    // The client width: the list inside its frame, before any scroll bar.
    const ColumnWidths widths = ReadColumnWidths(m_services.store, m_pList->contentsRect().width());
    for (int i = 0; i < CResultsModel::COLUMN_COUNT; ++i)
        m_pList->header()->resizeSection(i, widths[static_cast<size_t>(i)]);
}

std::array<int, 4> CScrubixView::GetColumnWidths() const
{
    return {m_pList->header()->sectionSize(0), m_pList->header()->sectionSize(1),
            m_pList->header()->sectionSize(2), m_pList->header()->sectionSize(3)};
}

bool CScrubixView::IsUnattended() const
{
    return ::IsUnattended(m_services.launchMode, m_frame.isVisible());
}

void CScrubixView::ApplyControlChange(QPushButton* pButton, const SControlChange& change)
{
    if (change.strText)
        pButton->setText(QString::fromStdString(*change.strText));
    if (change.bEnabled)
        pButton->setEnabled(*change.bEnabled);
    if (change.bShown)
        pButton->setVisible(*change.bShown);
}

void CScrubixView::SetViewState(ViewState nState)
{
    if (nState == ViewState::Results)
        m_model.ShowPendingRows();
    SViewStateInputs inputs;
    inputs.nMove = m_doc.Move;
    inputs.strSearchRoot = m_doc.SearchRoot;
    inputs.bStopRequested = m_doc.StopFlag.load(std::memory_order_acquire) != 0;
    inputs.nRowCount = m_table.GetRowCount();
    inputs.bUnattended = IsUnattended();
    const SViewStateEffects effects = ComputeViewStateEffects(nState, inputs);

    m_nViewState = nState;
    if (nState == ViewState::Idle)
        RefreshLastPass();
    ApplyControlChange(m_pSearchButton, effects.search);
    ApplyControlChange(m_pActionButton, effects.action);
    ApplyControlChange(m_pCancelButton, effects.cancel);
    const auto show = [this](int nId, const std::optional<bool>& bShown)
    {
        if (bShown)
            Label(nId)->setVisible(*bShown);
    };
    show(IDC_CANDIDATE_FILE, effects.bCandidateFileShown);
    show(IDC_CANDIDATE_FILE_CAPTION, effects.bCandidateCaptionShown);
    show(IDC_SEARCH_PATH, effects.bSearchingPathShown);
    show(IDC_SEARCH_PATH_CAPTION, effects.bSearchingPathCaptionShown);
    if (effects.bFocusAction)
        m_pActionButton->setFocus();
    ApplyToTexts(effects, m_texts);
    if (effects.strTitle)
        m_frame.setWindowTitle(QString::fromStdString(*effects.strTitle));
    if (effects.bDestroyProgressDialog)
        m_frame.DestroyProgressDialog();
    if (effects.bDeleteAllRows)
    {
        m_batchTimer.stop();
        m_model.Clear(); // the rows and the listed paths
        // New rows come in the order found.
        m_nSortColumn = -1;
        m_pList->header()->setSortIndicatorShown(false);
    }
    ApplyToDocument(effects, m_doc);
    if (effects.bReleaseDisposeAck)
        m_disposal.Acknowledge();
    emit ViewStateChanged();

    if (effects.followUp != ViewState::None)
        SetViewState(effects.followUp);
    if (!effects.strMessageAfter.empty())
        ShowScrubixMessage(this, QString::fromStdString(effects.strMessageAfter));
}

void CScrubixView::PushTexts()
{
    const auto push = [this](int nId, const QString& strText)
    {
        QLabel* pLabel = Label(nId);
        if (pLabel->text() != strText)
            pLabel->setText(strText);
    };
    push(IDC_EXTEN_COUNT, QString::fromStdString(m_texts.strExtenCount));
    push(IDC_TOTAL_SIZE, QString::fromStdString(m_texts.strTotalSize));
    push(IDC_ZERO_COUNT, QString::fromStdString(m_texts.strZeroCount));
    push(IDC_CANDIDATE_FILE, QString::fromStdString(m_texts.strCandidateFile));
    push(IDC_SEARCH_PATH, QString::fromStdString(m_texts.strSearchingPath));
    push(IDC_DIRECTED_COUNT, QString::fromStdString(m_texts.strDirectedCount));
}

void CScrubixView::ShowError(const QString& strText)
{
    // Shown in every mode: a search that cannot start is never silent.
    ShowScrubixMessage(m_frame.isVisible() ? this : nullptr, strText);
}

bool CScrubixView::StartSearch()
{
    const int nSelected = m_pDriveBox->currentIndex();
    const std::string strEntry =
        nSelected >= 0 ? m_pDriveBox->itemText(nSelected).toStdString() : std::string();
    const SStartSearch prepared =
        PrepareSearch(nSelected, strEntry, m_services.fileSystem, m_services.store);
    if (prepared.outcome != EStartSearch::Start)
    {
        ShowError(QString::fromStdString(prepared.strMessage));
        return false;
    }
    BeginSearch(prepared.strRoot);
    return true;
}

void CScrubixView::BeginSearch(const std::string& strRoot)
{
    m_doc.SearchRoot = strRoot;
    SetViewState(ViewState::Searching);
    PushTexts();
    m_startTimer.start(START_TIMER_MS, this);
}

void CScrubixView::StartSearchThread()
{
    m_pSearchButton->setText(QString::fromLatin1(STOP_SEARCH_TEXT));
    m_pSearchButton->setEnabled(true);
    m_search.Start();
}

void CScrubixView::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_startTimer.timerId())
    {
        m_startTimer.stop();
        StartSearchThread();
        return;
    }
    if (pEvent->timerId() == m_textTimer.timerId())
    {
        m_textTimer.stop();
        PushTexts();
        return;
    }
    if (pEvent->timerId() == m_batchTimer.timerId())
    {
        m_batchTimer.stop();
        m_model.ShowPendingRows();
        return;
    }
    QWidget::timerEvent(pEvent);
}

bool CScrubixView::event(QEvent* pEvent)
{
    if (pEvent->type() != CPrivateMessageEvent::EventType())
        return QWidget::event(pEvent);
    const auto* pMessage = static_cast<CPrivateMessageEvent*>(pEvent);
    if (ShouldSearchOnStartup(pMessage->Message(), m_services.launchMode) &&
        m_nViewState == ViewState::Idle)
        StartSearch();
    return true;
}

void CScrubixView::OnSearchCommand()
{
    if (m_nViewState != ViewState::Idle && m_nViewState != ViewState::Searching)
        return;
    if (DecideSearchPress(m_nViewState) == ESearchPress::RequestStop)
        m_doc.StopFlag.store(1, std::memory_order_release);
    else
        StartSearch();
}

void CScrubixView::OnCancelCommand()
{
    if (m_nViewState != ViewState::Results)
        return;
    SetViewState(ViewState::Idle);
    PushTexts();
}

void CScrubixView::AddCandidateRow()
{
    if (!m_table.AddCandidateRow(m_doc))
    {
        SchedulePushTexts();
        return;
    }
    // The mailbox is already handed back: everything below reads the row.
    const SCandidateRow& row = m_table.Rows().back();
    if (m_doc.Scroll != 0)
    {
        m_model.ShowPendingRows();
        m_pList->scrollTo(m_model.index(m_model.rowCount() - 1, 0));
    }
    else if (m_model.PendingRowCount() >= BATCH_ROWS)
        m_model.ShowPendingRows();
    else if (!m_batchTimer.isActive())
        m_batchTimer.start(BATCH_TIMER_MS, this);

    ApplyCandidateTexts(row, m_doc, m_texts);
    SchedulePushTexts();
}

void CScrubixView::OnSearchPath()
{
    m_texts.strSearchingPath = m_doc.SearchPath;
    SetAck(m_doc.PathAck);
    SchedulePushTexts();
}

void CScrubixView::SchedulePushTexts()
{
    if (!m_textTimer.isActive())
        m_textTimer.start(TEXT_TIMER_MS, this);
}

void CScrubixView::OnSearchDone()
{
    m_search.Join(); // it posted WM_SEARCH_DONE as its last act
    SetViewState(ViewState::Results);
    PushTexts();
    if (ShouldDisposeAfterSearch(m_services.launchMode, m_frame.isVisible(),
                                 AreSettingsReadable(m_services.store)))
        StartDisposal();
}

bool CScrubixView::StartDisposal()
{
    const bool bChain = ShouldDisposeAfterSearch(m_services.launchMode, m_frame.isVisible(),
                                                 AreSettingsReadable(m_services.store));
    if (m_nViewState != ViewState::Results && !(bChain && m_nViewState == ViewState::Idle))
        return false;
    m_model.ShowPendingRows();
    m_disposal.SetProtectedFiles(ListProgramFiles());
    SetViewState(ViewState::Disposing);
    PushTexts();
    m_model.SetRemovalsBatched(true);
    if (m_disposal.Start(m_doc))
        return true;
    m_model.SetRemovalsBatched(false);
    return false;
}

void CScrubixView::OnDisposeDone(uintptr_t wParam)
{
    m_disposal.Join();
    m_model.SetRemovalsBatched(false);
    SetViewState(ViewStateAfterDisposal(wParam));
    PushTexts();
}

void CScrubixView::FillDriveBox()
{
    PushTexts();
    const SDriveBoxFill fill = ::FillDriveBox(m_services.fileSystem, m_services.store);
    m_pDriveBox->clear();
    for (const std::string& strEntry : fill.entries)
        m_pDriveBox->addItem(QString::fromStdString(strEntry));
    m_pDriveBox->setCurrentIndex(fill.nSelected);
}

bool CScrubixView::ShowPurgeWarning(bool& bDontShow)
{
    return m_frame.RunPurgeWarning(bDontShow);
}

QString CScrubixView::CheckedText() const
{
    return QString::fromStdString(m_table.CheckedText());
}
