#include "app/CScrubixView.h"

#include "app/CMainFrame.h"
#include "app/CPrivateMessageEvent.h"
#include "app/ProgramFiles.h"
#include "platform/IFileSystem.h"
#include "res/DialogUnits.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"
#include "search/SearchThread.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"

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

QString FromBytes(const std::string& strText)
{
    return QString::fromUtf8(strText.data(), static_cast<qsizetype>(strText.size()));
}

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
                                   m_prompt, m_resultsList, services.store, services.launchMode})
{
    BuildForm();
}

CScrubixView::~CScrubixView()
{
    if (m_searchThread.joinable())
    {
        m_doc.StopFlag.store(1, std::memory_order_release);
        m_searchThread.join();
    }
}

void CScrubixView::BuildForm()
{
    const SDialogTemplate& form = GetFormTemplate();
    const QFontMetrics metrics(font());
    const SDialogBaseUnits base{
        AverageCharWidth(metrics.horizontalAdvance(QString::fromLatin1(AVERAGE_WIDTH_SAMPLE))),
        metrics.height()};
    setFixedSize(DialogUnitsToPixelsX(form.nWidth, base), DialogUnitsToPixelsY(form.nHeight, base));

    for (const SControlTemplate& control : form.controls)
    {
        QWidget* pWidget = nullptr;
        const QString strText = QString::fromUtf8(control.pszText);
        switch (control.eKind)
        {
        case EControlKind::ComboDropDownList:
            m_pDriveBox = new QComboBox(this);
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
            m_pList = new QTreeView(this);
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
                pLabel->setText(QString()); // "Static" is never shown
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
    }

    m_pDriveBox->setAccessibleName(QStringLiteral("Drive"));
    m_pList->setAccessibleName(QStringLiteral("Results"));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSortingEnabled(false);
    m_pList->setModel(&m_model);
    m_pList->header()->setStretchLastSection(false);
    m_pList->header()->setSectionsMovable(false);

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
    CSettingsStore& store = m_services.store;
    if (store.GetInt("Settings", "Newbie", 1) == 0)
        return;
    store.SetInt("Settings", "Newbie", 0);
    const bool bMove = m_frame.RunWelcomeDialog();
    m_doc.Move = bMove ? 0 : 1;
    store.SetInt("Settings", "Move", m_doc.Move);
    m_doc.RecycleRadio = 0;
    store.SetInt("Settings", "RecycleRadio", 0);
}

void CScrubixView::SetUpColumns()
{
    const int nClient = m_pList->viewport()->width();
    const int nDefault = nClient * 9 / 30;
    std::array<int, 3> widths{};
    int nSum = 0;
    bool bUseDefault = false;
    for (int i = 0; i < 3; ++i)
    {
        widths[static_cast<size_t>(i)] =
            m_services.store.GetInt("List", "col" + std::to_string(i), nDefault);
        const int nWidth = widths[static_cast<size_t>(i)];
        if (nWidth <= 0 || nWidth > nClient)
            bUseDefault = true;
        nSum += nWidth;
    }
    if (bUseDefault || nSum > nClient)
        widths = {nDefault, nDefault, nDefault};
    for (int i = 0; i < 3; ++i)
        m_pList->header()->resizeSection(i, widths[static_cast<size_t>(i)]);
}

std::array<int, 3> CScrubixView::GetColumnWidths() const
{
    return {m_pList->header()->sectionSize(0), m_pList->header()->sectionSize(1),
            m_pList->header()->sectionSize(2)};
}

void CScrubixView::SetViewState(ViewState nState)
{
    m_nViewState = nState;
    switch (nState)
    {
    case ViewState::Idle:
        m_frame.DestroyProgressDialog();
        m_batchTimer.stop();
        m_model.Clear();
        m_pSearchButton->setEnabled(true);
        m_pSearchButton->setText(QStringLiteral("Search"));
        m_pActionButton->hide();
        m_pCancelButton->hide();
        for (int nId : {IDC_CANDIDATE_FILE, IDC_SEARCH_PATH, IDC_CANDIDATE_FILE_CAPTION,
                        IDC_SEARCH_PATH_CAPTION})
            Label(nId)->hide();
        m_strExtenCount = m_strTotalSize = m_strZeroCount = m_strDirectedCount =
            QStringLiteral("0");
        m_strCandidateFile.clear();
        m_strSearchingPath.clear();
        m_pActionButton->setText(m_doc.Move == 1 ? QStringLiteral("Purge Files")
                                                 : QStringLiteral("Move Files"));
        break;
    case ViewState::Searching:
        m_frame.setWindowTitle(QStringLiteral("Scrubix - ") + FromBytes(m_doc.SearchRoot));
        m_strCandidateFile.clear();
        Label(IDC_CANDIDATE_FILE)->show();
        Label(IDC_CANDIDATE_FILE_CAPTION)->show();
        m_strSearchingPath.clear();
        Label(IDC_SEARCH_PATH)->show();
        Label(IDC_SEARCH_PATH_CAPTION)->show();
        m_pActionButton->hide();
        m_pCancelButton->hide();
        m_pSearchButton->setEnabled(false);
        m_batchTimer.stop();
        m_model.Clear();
        m_doc.ExtenCount = 0;
        m_doc.ZeroCount = 0;
        m_doc.DirectedCount = 0;
        m_doc.TotalSize = 0.0;
        m_doc.PathAck.store(1, std::memory_order_release);
        m_doc.CandidateAck.store(1, std::memory_order_release);
        break;
    case ViewState::Results:
        m_batchTimer.stop();
        m_model.ShowPendingRows();
        m_pActionButton->show();
        m_pActionButton->setEnabled(true);
        m_pCancelButton->show();
        m_pCancelButton->setEnabled(true);
        m_pActionButton->setFocus();
        for (int nId : {IDC_CANDIDATE_FILE, IDC_SEARCH_PATH, IDC_CANDIDATE_FILE_CAPTION,
                        IDC_SEARCH_PATH_CAPTION})
            Label(nId)->hide();
        m_pSearchButton->setText(QStringLiteral("Search"));
        m_pSearchButton->setEnabled(false);
        if (m_doc.StopFlag.load(std::memory_order_acquire) != 0)
        {
            Label(IDC_CANDIDATE_FILE)->show();
            m_strCandidateFile = QStringLiteral("Search stopped by user request.");
            m_doc.StopFlag.store(0, std::memory_order_release);
        }
        if (m_table.GetRowCount() == 0)
        {
            SetViewState(ViewState::Idle);
            emit ViewStateChanged();
            if (m_services.launchMode.InvisibleMode == 0)
                QMessageBox::information(this, QStringLiteral("Scrubix"),
                                         QStringLiteral("No candidates found."));
            return;
        }
        break;
    case ViewState::Disposing:
        m_disposal.m_bDisposeAck.store(1, std::memory_order_release);
        Label(IDC_CANDIDATE_FILE)->hide();
        m_pActionButton->setEnabled(false);
        m_pCancelButton->setEnabled(false);
        break;
    case ViewState::None:
        break;
    }
    emit ViewStateChanged();
}

void CScrubixView::PushTexts()
{
    const auto push = [this](int nId, const QString& strText)
    {
        QLabel* pLabel = Label(nId);
        if (pLabel->text() != strText)
            pLabel->setText(strText);
    };
    push(IDC_EXTEN_COUNT, m_strExtenCount);
    push(IDC_TOTAL_SIZE, m_strTotalSize);
    push(IDC_ZERO_COUNT, m_strZeroCount);
    push(IDC_CANDIDATE_FILE, m_strCandidateFile);
    push(IDC_SEARCH_PATH, m_strSearchingPath);
    push(IDC_DIRECTED_COUNT, m_strDirectedCount);
}

void CScrubixView::ShowError(const QString& strText)
{
    // Shown in every mode: a search that cannot start is never silent.
    QMessageBox::information(m_frame.isVisible() ? this : nullptr, QStringLiteral("Scrubix"),
                             strText);
}

bool CScrubixView::StartSearch()
{
    const int nSelected = m_pDriveBox->currentIndex();
    if (nSelected < 0)
    {
        ShowError(QStringLiteral("List Box Error"));
        return false;
    }
    const std::string strItem = m_pDriveBox->itemText(nSelected).toStdString();
    if (strItem.size() < 3)
    {
        ShowError(QStringLiteral("List Box Error"));
        return false;
    }
    std::string strRoot(1, static_cast<char>(std::toupper(static_cast<unsigned char>(strItem[2]))));
    strRoot += ":";
    while (!strRoot.empty() && std::isspace(static_cast<unsigned char>(strRoot.front())))
        strRoot.erase(strRoot.begin());
    while (!strRoot.empty() && std::isspace(static_cast<unsigned char>(strRoot.back())))
        strRoot.pop_back();
    for (char& c : strRoot)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (strRoot.size() < 2 || strRoot[1] != ':')
        strRoot = "C:";
    if (!strRoot.empty() && strRoot.back() == '\\')
        strRoot.pop_back();

    if (!m_services.fileSystem.IsFolderAccessible(strRoot + "\\"))
    {
        ShowError(QStringLiteral("Cannot Scan Path\n") + FromBytes(strRoot));
        return false;
    }
    m_services.store.SetString("Settings", "Drive", strRoot.substr(0, 2));
    BeginSearch(strRoot);
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
    m_pSearchButton->setText(QStringLiteral("Stop Search"));
    m_pSearchButton->setEnabled(true);
    m_searchThread =
        std::thread(SearchThreadProc,
                    CSearchContext{m_doc, m_port, m_prompt, m_services.clock, m_services.urlCache});
}

void CScrubixView::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_startTimer.timerId())
    {
        m_startTimer.stop();
        StartSearchThread();
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
    if (pMessage->Message() == WM_VIEW_STARTUP_INVISIBLE)
        StartSearch();
    else if (pMessage->Message() == WM_VIEW_STARTUP_VISIBLE &&
             m_services.launchMode.BootLaunch == 1)
        StartSearch();
    return true;
}

void CScrubixView::OnSearchCommand()
{
    if (m_nViewState == ViewState::Searching)
    {
        m_doc.StopFlag.store(1, std::memory_order_release);
        return;
    }
    if (m_nViewState == ViewState::Idle)
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
        PushTexts();
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

    m_strCandidateFile = FromBytes(row.strPath);
    m_strExtenCount = QString::number(m_doc.ExtenCount);
    m_strTotalSize = QString::fromStdString(CCandidateTable::TotalText(m_doc.TotalSize));
    m_strZeroCount = QString::number(m_doc.ZeroCount);
    m_strDirectedCount = QString::number(m_doc.DirectedCount);
    PushTexts();
}

void CScrubixView::OnSearchPath()
{
    m_strSearchingPath = FromBytes(m_doc.SearchPath);
    m_doc.PathAck.store(1, std::memory_order_release);
    PushTexts();
}

void CScrubixView::OnSearchDone()
{
    if (m_searchThread.joinable())
        m_searchThread.join(); // it posted WM_SEARCH_DONE as its last act
    SetViewState(ViewState::Results);
    PushTexts();
    if (m_services.launchMode.InvisibleMode == 1 && !m_frame.isVisible())
        StartDisposal();
}

bool CScrubixView::StartDisposal()
{
    if (m_nViewState != ViewState::Results &&
        !(m_services.launchMode.InvisibleMode == 1 && !m_frame.isVisible()))
        return false;
    m_model.ShowPendingRows();
    m_disposal.SetProtectedFiles(ProgramFiles());
    SetViewState(ViewState::Disposing);
    PushTexts();
    return m_disposal.Start(m_doc);
}

void CScrubixView::OnDisposeDone(ViewState nNext)
{
    m_disposal.Join();
    SetViewState(nNext);
    PushTexts();
}

void CScrubixView::FillDriveBox()
{
    PushTexts();
    m_pDriveBox->clear();
    for (const std::string& strDrive : m_services.fileSystem.ListDrives())
        if (!strDrive.empty())
            m_pDriveBox->addItem(QStringLiteral("[-") +
                                 QString(QChar::fromLatin1(static_cast<char>(
                                     std::tolower(static_cast<unsigned char>(strDrive[0]))))) +
                                 QStringLiteral("-]"));
    std::string strDrive = m_services.store.GetString("Settings", "Drive", "");
    if (strDrive.empty())
        strDrive = m_services.fileSystem.GetCurrentFolder().substr(0, 1);
    const char cWanted =
        strDrive.empty() ? '\0'
                         : static_cast<char>(std::toupper(static_cast<unsigned char>(strDrive[0])));
    int nMatch = -1;
    std::string strLast;
    for (int i = 0; i < m_pDriveBox->count(); ++i)
    {
        const std::string strEntry = m_pDriveBox->itemText(i).toUpper().toStdString();
        if (strEntry.size() >= 3)
            strLast = std::string(1, strEntry[2]);
        if (strEntry.size() >= 3 && strEntry[2] == cWanted)
        {
            nMatch = i;
            break;
        }
    }
    if (!strLast.empty())
        m_services.store.SetString("Settings", "Drive", strLast);
    m_pDriveBox->setCurrentIndex(nMatch);
}

bool CScrubixView::ShowPurgeWarning(bool& bDontShow)
{
    return m_frame.RunPurgeWarning(bDontShow);
}
