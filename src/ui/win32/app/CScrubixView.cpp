#include "ui/win32/app/CScrubixView.h"

#include "platform/IFileSystem.h"
#include "platform/ProgramFiles.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/Templates.h"
#include "ui/rules/ColumnWidths.h"
#include "ui/rules/DriveBox.h"
#include "ui/rules/FirstStartWelcome.h"
#include "ui/rules/FrameTexts.h"
#include "ui/rules/InvisibleChain.h"
#include "ui/rules/StartSearch.h"
#include "ui/rules/ViewStateEffects.h"
#include "ui/win32/app/CMainFrame.h"
#include "ui/win32/dialogs/DialogTemplateBytes.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"
#include "ui/win32/dialogs/WideText.h"

#include <windowsx.h>

// The document's field, not the platform's function of that name.
#undef SearchPath

// Texts: the labels and the drive box take the program's strings with the
// ANSI calls. Paths come from the Win32 backend in the ANSI code page (UTF-8
// where the manifest's code page holds), and the counters are ASCII, so one
// form of call serves every label.

CScrubixView::CScrubixView(CScrubixDoc& doc, CMainFrame& frame, const SViewServices& services)
    : m_doc(doc), m_frame(frame), m_services(services), m_list(m_table),
      m_prompt([this] { return m_frame.Window(); },
               [this](bool& bDontShow) { return m_frame.RunPurgeWarning(bDontShow); },
               [this](bool bOn) { SetWaitCursor(bOn); }),
      m_resultsList([this] { return m_frame.Window(); }, m_list,
                    [this] { return IsWindowVisible(m_frame.Window()) != FALSE; }),
      m_disposal(SDisposalServices{services.fileSystem, services.shell, services.clock, m_port,
                                   m_prompt, m_resultsList, services.store, services.launchMode}),
      m_search(CSearchContext{doc, m_port, m_prompt, services.clock, services.urlCache})
{
}

CScrubixView::~CScrubixView()
{
    if (m_hForm != nullptr)
        SetWindowLongPtrW(m_hForm, DWLP_USER, 0);
}

bool CScrubixView::Create(HWND hFrame, int x, int y)
{
    m_port.SetTarget(hFrame);
    SDialogBuildOptions options;
    options.nExtraStyle = DS_CONTROL;
    const std::vector<WORD> bytes = BuildDialogTemplate(GetFormTemplate(), options);
    m_hForm = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hFrame,
                                         FormProc, reinterpret_cast<LPARAM>(this));
    if (m_hForm == nullptr)
        return false;
    // The template's placeholder texts are never shown.
    for (const SControlTemplate& control : GetFormTemplate().controls)
        if (control.nId != ID_STATIC && std::string_view(control.pszText) == "Static")
            SetWindowTextW(Control(control.nId), L"");
    m_list.Attach(m_hForm, IDC_RESULTS_LIST);
    m_list.onColumnClick = [this](int nColumn) { SortByColumn(nColumn); };
    m_list.onToggleSelected = [this] { ToggleSelectedRows(); };
    m_list.onChecksChanged = [this] { m_frame.OnChecksChanged(); };
    m_list.onCurrentRowChanged = [this] { m_frame.UpdateListCommands(); };
    SetWindowPos(m_hForm, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(m_hForm, SW_SHOW);
    return true;
}

INT_PTR CALLBACK CScrubixView::FormProc(HWND hForm, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hForm, DWLP_USER, lParam);
        reinterpret_cast<CScrubixView*>(lParam)->m_hForm = hForm;
        return FALSE;
    }
    auto* pView = reinterpret_cast<CScrubixView*>(GetWindowLongPtrW(hForm, DWLP_USER));
    return pView != nullptr ? pView->OnMessage(nMessage, wParam, lParam) : FALSE;
}

INT_PTR CScrubixView::OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        switch (LOWORD(wParam))
        {
        case IDC_SEARCH:
            OnSearchCommand();
            return TRUE;
        case IDC_ACTION:
            StartDisposal();
            return TRUE;
        case IDC_CANCEL_RESULTS:
            OnCancelCommand();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY:
    {
        LRESULT lResult = 0;
        if (!m_list.OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lResult))
            return FALSE;
        SetWindowLongPtrW(m_hForm, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
    case WM_CONTEXTMENU:
        // The list's right click, menu key and Shift+F10 (the list's default
        // handling sends it here, its parent).
        if (reinterpret_cast<HWND>(wParam) != ResultsList())
            return FALSE;
        m_frame.ShowListContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_SETCURSOR:
        if (!IsWaitCursorOn())
            return FALSE;
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        SetWindowLongPtrW(m_hForm, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_VIEW_STARTUP_INVISIBLE:
    case WM_VIEW_STARTUP_VISIBLE:
        if (ShouldSearchOnStartup(nMessage, m_services.launchMode) &&
            m_nViewState == ViewState::Idle)
            StartSearch();
        return TRUE;
    default:
        return FALSE;
    }
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
}

void CScrubixView::RunWelcome()
{
    RunFirstStartWelcome(m_doc, m_services.store, [this] { return m_frame.RunWelcomeDialog(); });
}

void CScrubixView::SetUpColumns()
{
    const ColumnWidths widths = ReadColumnWidths(m_services.store, m_list.ClientWidth());
    m_list.SetColumnWidths(widths);
}

std::array<int, 4> CScrubixView::GetColumnWidths() const
{
    return m_list.ColumnWidths();
}

bool CScrubixView::IsUnattended() const
{
    return ::IsUnattended(m_services.launchMode, IsWindowVisible(m_frame.Window()) != FALSE);
}

void CScrubixView::ApplyControlChange(int nControlId, const SControlChange& change)
{
    HWND hButton = Control(nControlId);
    if (change.strText)
        SetWindowTextW(hButton, WideFromUtf8(*change.strText).c_str());
    if (change.bEnabled)
        EnableWindow(hButton, *change.bEnabled ? TRUE : FALSE);
    if (change.bShown)
        ShowWindow(hButton, *change.bShown ? SW_SHOWNA : SW_HIDE);
}

void CScrubixView::SetViewState(ViewState nState)
{
    if (nState == ViewState::Results)
        m_list.ShowPendingRows();
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
    ApplyControlChange(IDC_SEARCH, effects.search);
    ApplyControlChange(IDC_ACTION, effects.action);
    ApplyControlChange(IDC_CANCEL_RESULTS, effects.cancel);
    const auto show = [this](int nId, const std::optional<bool>& bShown)
    {
        if (bShown)
            ShowWindow(Control(nId), *bShown ? SW_SHOWNA : SW_HIDE);
    };
    show(IDC_CANDIDATE_FILE, effects.bCandidateFileShown);
    show(IDC_CANDIDATE_FILE_CAPTION, effects.bCandidateCaptionShown);
    show(IDC_SEARCH_PATH, effects.bSearchingPathShown);
    show(IDC_SEARCH_PATH_CAPTION, effects.bSearchingPathCaptionShown);
    if (effects.bFocusAction)
        SendMessageW(m_hForm, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ActionButton()), TRUE);
    ApplyToTexts(effects, m_texts);
    if (effects.strTitle)
        SetWindowTextW(m_frame.Window(), WideFromUtf8(*effects.strTitle).c_str());
    if (effects.bDestroyProgressDialog)
        m_frame.DestroyProgressDialog();
    if (effects.bDeleteAllRows)
    {
        KillTimer(m_hForm, BATCH_TIMER_ID);
        m_bBatchTimerArmed = false;
        m_list.Clear(); // the rows and the listed paths
        // New rows come in the order found.
        m_nSortColumn = -1;
        m_list.ShowSortIndicator(-1, false);
    }
    ApplyToDocument(effects, m_doc);
    if (effects.bReleaseDisposeAck)
        m_disposal.Acknowledge();
    m_frame.UpdateCommands();

    if (effects.followUp != ViewState::None)
        SetViewState(effects.followUp);
    if (!effects.strMessageAfter.empty())
        ShowScrubixMessage(m_frame.Window(), effects.strMessageAfter);
}

void CScrubixView::PushTexts()
{
    const auto push = [this](int nId, const std::string& strText)
    {
        HWND hLabel = Control(nId);
        const int nLength = GetWindowTextLengthA(hLabel);
        std::string strShown(static_cast<size_t>(nLength) + 1, '\0');
        GetWindowTextA(hLabel, strShown.data(), nLength + 1);
        strShown.resize(static_cast<size_t>(nLength));
        if (strShown != strText)
            SetWindowTextA(hLabel, strText.c_str());
    };
    push(IDC_EXTEN_COUNT, m_texts.strExtenCount);
    push(IDC_TOTAL_SIZE, m_texts.strTotalSize);
    push(IDC_ZERO_COUNT, m_texts.strZeroCount);
    push(IDC_CANDIDATE_FILE, m_texts.strCandidateFile);
    push(IDC_SEARCH_PATH, m_texts.strSearchingPath);
    push(IDC_DIRECTED_COUNT, m_texts.strDirectedCount);
    m_lastTextPush = std::chrono::steady_clock::now();
}

void CScrubixView::SchedulePushTexts()
{
    // Pushed at once when the last push is old enough: a stream of posted
    // messages comes before any timer, so a timer alone could wait for the
    // whole search.
    if (std::chrono::steady_clock::now() - m_lastTextPush >=
        std::chrono::milliseconds(TEXT_INTERVAL_MS))
    {
        PushTexts();
        return;
    }
    if (!m_bTextTimerArmed)
    {
        m_bTextTimerArmed = true;
        SetTimer(m_hForm, TEXT_TIMER_ID, TEXT_INTERVAL_MS, nullptr);
    }
}

void CScrubixView::ShowError(const std::string& strText)
{
    // Shown in every mode: a search that cannot start is never silent.
    HWND hFrame = m_frame.Window();
    ShowScrubixMessage(IsWindowVisible(hFrame) ? hFrame : nullptr, strText);
}

bool CScrubixView::StartSearch()
{
    HWND hBox = DriveBox();
    const int nSelected = static_cast<int>(SendMessageA(hBox, CB_GETCURSEL, 0, 0));
    std::string strEntry;
    if (nSelected >= 0)
    {
        const auto nLength = SendMessageA(hBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(nSelected), 0);
        if (nLength > 0)
        {
            strEntry.assign(static_cast<size_t>(nLength) + 1, '\0');
            SendMessageA(hBox, CB_GETLBTEXT, static_cast<WPARAM>(nSelected),
                         reinterpret_cast<LPARAM>(strEntry.data()));
            strEntry.resize(strEntry.find('\0') == std::string::npos ? strEntry.size()
                                                                     : strEntry.find('\0'));
        }
    }
    const SStartSearch prepared =
        PrepareSearch(nSelected, strEntry, m_services.fileSystem, m_services.store);
    if (prepared.outcome != EStartSearch::Start)
    {
        ShowError(prepared.strMessage);
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
    SetTimer(m_hForm, START_TIMER_ID, START_TIMER_MS, nullptr);
}

void CScrubixView::StartSearchThread()
{
    SetWindowTextW(SearchButton(), WideFromUtf8(STOP_SEARCH_TEXT).c_str());
    EnableWindow(SearchButton(), TRUE);
    m_search.Start();
}

void CScrubixView::OnTimer(UINT_PTR nTimerId)
{
    KillTimer(m_hForm, nTimerId);
    switch (nTimerId)
    {
    case START_TIMER_ID:
        StartSearchThread();
        break;
    case TEXT_TIMER_ID:
        m_bTextTimerArmed = false;
        PushTexts();
        break;
    case BATCH_TIMER_ID:
        m_bBatchTimerArmed = false;
        m_list.ShowPendingRows();
        break;
    default:
        break;
    }
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
        m_list.ShowPendingRows();
        m_list.ScrollToLastRow();
    }
    else if (m_list.PendingRowCount() >= BATCH_ROWS)
        m_list.ShowPendingRows();
    else if (!m_bBatchTimerArmed)
    {
        m_bBatchTimerArmed = true;
        SetTimer(m_hForm, BATCH_TIMER_ID, BATCH_TIMER_MS, nullptr);
    }
    ApplyCandidateTexts(row, m_doc, m_texts);
    SchedulePushTexts();
}

void CScrubixView::OnSearchPath()
{
    m_texts.strSearchingPath = m_doc.SearchPath;
    SetAck(m_doc.PathAck);
    SchedulePushTexts();
}

void CScrubixView::OnSearchDone()
{
    m_search.Join(); // it posted WM_SEARCH_DONE as its last act
    SetViewState(ViewState::Results);
    PushTexts();
    if (ShouldDisposeAfterSearch(m_services.launchMode, IsWindowVisible(m_frame.Window()) != FALSE,
                                 AreSettingsReadable(m_services.store)))
        StartDisposal();
}

bool CScrubixView::StartDisposal()
{
    const bool bChain =
        ShouldDisposeAfterSearch(m_services.launchMode, IsWindowVisible(m_frame.Window()) != FALSE,
                                 AreSettingsReadable(m_services.store));
    if (m_nViewState != ViewState::Results && !(bChain && m_nViewState == ViewState::Idle))
        return false;
    m_list.ShowPendingRows();
    m_disposal.SetProtectedFiles(ListProgramFiles());
    SetViewState(ViewState::Disposing);
    PushTexts();
    m_list.SetRemovalsBatched(true);
    if (m_disposal.Start(m_doc))
        return true;
    m_list.SetRemovalsBatched(false);
    return false;
}

void CScrubixView::OnDisposeDone(uintptr_t wParam)
{
    m_disposal.Join();
    m_list.SetRemovalsBatched(false);
    SetViewState(ViewStateAfterDisposal(wParam));
    PushTexts();
}

void CScrubixView::FillDriveBox()
{
    PushTexts();
    const SDriveBoxFill fill = ::FillDriveBox(m_services.fileSystem, m_services.store);
    HWND hBox = DriveBox();
    SendMessageA(hBox, CB_RESETCONTENT, 0, 0);
    for (const std::string& strEntry : fill.entries)
        SendMessageA(hBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strEntry.c_str()));
    SendMessageA(hBox, CB_SETCURSEL, static_cast<WPARAM>(fill.nSelected), 0);
}

void CScrubixView::SetWaitCursor(bool bOn)
{
    m_nWaitCursor += bOn ? 1 : -1;
    if (m_nWaitCursor < 0)
        m_nWaitCursor = 0;
    POINT at{};
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y); // asks the window under it for its cursor again
}

std::string CScrubixView::CheckedText() const
{
    return m_table.CheckedText();
}
