#include "ui/win32/app/CMainFrame.h"

#include "platform/IShell.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/StringTable.h"
#include "ui/rules/CloseRules.h"
#include "ui/rules/ColumnWidths.h"
#include "ui/rules/FrameGeometry.h"
#include "ui/rules/FrameTexts.h"
#include "ui/rules/InvisibleChain.h"
#include "ui/rules/OptionsSheetRules.h"
#include "ui/rules/RunAtBoot.h"
#include "ui/win32/app/CSingleInstance.h"
#include "ui/win32/app/HelpPage.h"
#include "ui/win32/app/ResultsMenus.h"
#include "ui/win32/app/UiThreadCall.h"
#include "ui/win32/dialogs/CAboutDialog.h"
#include "ui/win32/dialogs/CProgressDialog.h"
#include "ui/win32/dialogs/CPurgeWarningDialog.h"
#include "ui/win32/dialogs/CWelcomeDialog.h"
#include "ui/win32/dialogs/MainMenuResources.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"
#include "ui/win32/dialogs/WideText.h"
#include "ui/win32/pages/COptionsSheet.h"

namespace
{
// The checked-rows pane's width in pixels.
constexpr int CHECKED_PANE_WIDTH = 200;

SRect ScreenRect(HWND hWnd)
{
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return SRect{rect.left, rect.top, rect.right, rect.bottom};
}

RECT WorkArea()
{
    RECT work{0, 0, 1024, 738};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

} // namespace

CMainFrame::CMainFrame(CScrubixDoc& doc, CLaunchMode& launchMode, const std::string& strArguments,
                       const SViewServices& services, SFrameHooks hooks)
    : m_doc(doc), m_launchMode(launchMode), m_services(services), m_hooks(std::move(hooks))
{
    m_launchMode.ScanLaunchTokens(strArguments);
}

CMainFrame::~CMainFrame()
{
    m_pProgressDialog.reset();
    if (m_hWnd != nullptr)
    {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
    m_pView.reset();
    if (m_hAccelerators != nullptr)
        DestroyAcceleratorTable(m_hAccelerators);
    if (m_hToolbarImages != nullptr)
        ImageList_Destroy(m_hToolbarImages);
}

bool CMainFrame::Create()
{
    const HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(hInstance, CLASS_NAME, &windowClass) == FALSE)
    {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = hInstance;
        windowClass.hIcon = LoadProgramIcon(32);
        windowClass.hIconSm = LoadProgramIcon(16);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = CLASS_NAME;
        if (RegisterClassExW(&windowClass) == 0)
            return false;
    }
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    PlaceFromStoredScreen(x, y, cx, cy);
    m_hMenu = CreateMainMenu();
    if (m_hMenu != nullptr)
        AddResultsMenus(m_hMenu);
    // A fixed frame: no sizing border and no maximise box.
    const DWORD nStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    m_hWnd = CreateWindowExW(0, CLASS_NAME, WideFromUtf8(APP_TITLE).c_str(), nStyle, x, y, cx, cy,
                             nullptr, m_hMenu, hInstance, this);
    if (m_hWnd == nullptr)
        return false;
    m_hAccelerators = CreateFrameAccelerators();
    CreateBars();

    RECT toolBar{};
    GetWindowRect(m_hToolBar, &toolBar);
    m_pView = std::make_unique<CScrubixView>(m_doc, *this, m_services);
    if (!m_pView->Create(m_hWnd, 0, toolBar.bottom - toolBar.top))
        return false;
    SetStatusPrompt(std::string(FindString(AFX_IDS_IDLEMESSAGE)));
    OnChecksChanged();
    UpdateCommands();
    m_bPlacementReady = true;
    return true;
}

void CMainFrame::CreateBars()
{
    const HINSTANCE hInstance = GetModuleHandleW(nullptr);
    m_hToolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                                 0, 0, 0, 0, m_hWnd, nullptr, hInstance, nullptr);
    SendMessageW(m_hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_hToolbarImages = CreateToolbarImages();
    if (m_hToolbarImages != nullptr)
        SendMessageW(m_hToolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hToolbarImages));
    std::vector<TBBUTTON> buttons = ToolbarButtons();
    SendMessageW(m_hToolBar, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(m_hToolBar, TB_AUTOSIZE, 0, 0);

    m_hStatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   m_hWnd, nullptr, hInstance, nullptr);
    LayoutBars();
}

void CMainFrame::LayoutBars()
{
    if (m_hToolBar != nullptr)
        SendMessageW(m_hToolBar, TB_AUTOSIZE, 0, 0);
    if (m_hStatusBar == nullptr)
        return;
    SendMessageW(m_hStatusBar, WM_SIZE, 0, 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    int parts[2] = {std::max(0, static_cast<int>(client.right) - CHECKED_PANE_WIDTH), -1};
    SendMessageW(m_hStatusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void CMainFrame::SetStatusPrompt(const std::string& strText)
{
    SendMessageW(m_hStatusBar, SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(strText).c_str()));
}

std::string CMainFrame::StatusText(int nPane) const
{
    const auto nLength = LOWORD(SendMessageW(m_hStatusBar, SB_GETTEXTLENGTHW, nPane, 0));
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    SendMessageW(m_hStatusBar, SB_GETTEXTW, nPane, reinterpret_cast<LPARAM>(strText.data()));
    strText.resize(nLength);
    return Utf8FromWide(strText);
}

void CMainFrame::OnChecksChanged()
{
    if (m_pView == nullptr)
        return;
    SendMessageW(m_hStatusBar, SB_SETTEXTW, 1,
                 reinterpret_cast<LPARAM>(WideFromUtf8(m_pView->CheckedText()).c_str()));
}

void CMainFrame::PlaceFromStoredScreen(int& x, int& y, int& cx, int& cy)
{
    const RECT work = WorkArea();
    bool bReplaced = false;
    const SPlacement placement = ChooseInitialPlacement(
        ReadPlacement(m_services.store), work.right - work.left, work.bottom - work.top, bReplaced);
    if (bReplaced)
        WritePlacement(m_services.store, placement);
    x = placement.x;
    y = placement.y;
    cx = placement.cx;
    cy = placement.cy;
}

void CMainFrame::FitToView(CScrubixView& view)
{
    const SRect fit = FitFrameToForm(ScreenRect(m_hWnd), ScreenRect(view.SearchButton()),
                                     ScreenRect(view.ResultsList()));
    SetWindowPos(m_hWnd, nullptr, fit.nLeft, fit.nTop, fit.Width(), fit.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutBars();
}

void CMainFrame::ArmNoticeTimer()
{
    SetTimer(m_hWnd, NOTICE_TIMER_ID, NOTICE_TIMER_MS, nullptr);
}

void CMainFrame::SavePlacement()
{
    if (!m_bPlacementReady || IsIconic(m_hWnd))
        return;
    const RECT work = WorkArea();
    RECT frame{};
    GetWindowRect(m_hWnd, &frame);
    WritePlacement(m_services.store, ClampPlacementForSaving(
                                         SPlacement{frame.left, frame.top, frame.right - frame.left,
                                                    frame.bottom - frame.top},
                                         work.right - work.left, work.bottom - work.top));
}

void CMainFrame::UpdateCommands()
{
    const ViewState nState = m_pView != nullptr ? m_pView->GetViewState() : ViewState::None;
    for (const ECommand command : ALL_COMMANDS)
    {
        const int nId = static_cast<int>(CommandId(command));
        const bool bOn = IsCommandEnabled(command, nState, m_doc.Move);
        m_enabled[nId] = bOn;
        if (m_hMenu != nullptr)
            EnableMenuItem(m_hMenu, static_cast<UINT>(nId),
                           MF_BYCOMMAND | (bOn ? MF_ENABLED : MF_GRAYED));
        if (m_hToolBar != nullptr)
            SendMessageW(m_hToolBar, TB_ENABLEBUTTON, static_cast<WPARAM>(nId), MAKELPARAM(bOn, 0));
    }
    UpdateListCommands();
}

bool CMainFrame::IsCommandOn(int nCommandId) const
{
    const auto it = m_enabled.find(nCommandId);
    return it != m_enabled.end() && it->second;
}

void CMainFrame::OnCommand(int nCommandId)
{
    UpdateCommands();
    EListCommand listCommand = EListCommand::SortByColumn;
    int nColumn = 0;
    if (ListCommandFromId(nCommandId, listCommand, nColumn))
    {
        OnListCommand(listCommand, nColumn);
        return;
    }
    ECommand command = ECommand::Search;
    if (!CommandFromId(static_cast<uint32_t>(nCommandId), command) || !IsCommandOn(nCommandId))
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
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        break;
    case ECommand::HelpTopics:
        OpenHelp();
        break;
    case ECommand::About:
        ShowAbout();
        break;
    }
}

bool CMainFrame::PreTranslateMessage(MSG& msg)
{
    if (m_hWnd == nullptr)
        return false;
    // The menu key and Shift+F10 in the list open its context menu at the
    // current row; both halves of the key are used up, so no other handling
    // opens it again or enters the menu bar.
    if (IsListMenuKey(msg))
    {
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
            ShowListContextMenu(POINT{-1, -1});
        return true;
    }
    const bool bOurs = msg.hwnd == m_hWnd || IsChild(m_hWnd, msg.hwnd) != FALSE;
    if (bOurs && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
        m_hAccelerators != nullptr && !KeepsKeyForList(msg) &&
        TranslateAcceleratorW(m_hWnd, m_hAccelerators, &msg) != 0)
        return true;
    if (m_pProgressDialog != nullptr && m_pProgressDialog->Window() != nullptr &&
        IsDialogMessageW(m_pProgressDialog->Window(), &msg) != FALSE)
        return true;
    return m_pView != nullptr && m_pView->Window() != nullptr &&
           IsDialogMessageW(m_pView->Window(), &msg) != FALSE;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_NCCREATE)
    {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* pFrame = static_cast<CMainFrame*>(pCreate->lpCreateParams);
        pFrame->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pFrame));
    }
    auto* pFrame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pFrame == nullptr)
    {
        if (nMessage == WM_UI_THREAD_CALL)
            return 0; // the frame has gone: the caller's call is dropped
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    return pFrame->OnMessage(nMessage, wParam, lParam);
}

LRESULT CMainFrame::OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_UI_THREAD_CALL:
        return RunUiThreadCall(lParam);
    case WM_SEARCH_DONE:
    case WM_SEARCH_PATH:
    case WM_ADD_CANDIDATE:
    case WM_DISPOSE_STEP:
    case WM_DISPOSE_DONE:
    case WM_DISPOSE_BEGIN:
    case WM_STARTUP_INVISIBLE:
    case WM_STARTUP_VISIBLE:
        HandlePrivateMessage(nMessage, wParam);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 || reinterpret_cast<HWND>(lParam) == m_hToolBar)
        {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        UpdateCommands();
        return 0;

    case WM_MENUSELECT:
    {
        const UINT nFlags = HIWORD(wParam);
        if ((nFlags == 0xFFFF && lParam == 0) || (nFlags & (MF_POPUP | MF_SEPARATOR)) != 0)
            SetStatusPrompt(std::string(FindString(AFX_IDS_IDLEMESSAGE)));
        else
            SetStatusPrompt(std::string(StatusPrompt(LOWORD(wParam))));
        return 0;
    }
    case WM_NOTIFY:
    {
        LRESULT lResult = 0;
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lResult))
            return lResult;
        break;
    }
    case WM_SIZE:
        LayoutBars();
        SavePlacement();
        return 0;
    case WM_MOVE:
        SavePlacement();
        return 0;
    case WM_SETCURSOR:
        if (m_pView != nullptr && m_pView->IsWaitCursorOn())
        {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
            return TRUE;
        }
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        KillTimer(m_hWnd, NOTICE_TIMER_ID);
        KillTimer(m_hWnd, CLOSE_RETRY_TIMER_ID);
        CSingleInstance::UnmarkFrame(m_hWnd);
        if (m_hooks.onDestroyed)
            m_hooks.onDestroyed();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        m_hToolBar = nullptr;
        m_hStatusBar = nullptr;
        m_hMenu = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
}

bool CMainFrame::OnNotify(const NMHDR& header, LRESULT& lResult)
{
    lResult = 0;
    if (header.code == TTN_GETDISPINFOW)
    {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(const_cast<NMHDR&>(header));
        const int nId = static_cast<int>(header.idFrom);
        m_strTip = WideFromUtf8(ToolTip(nId));
        info.lpszText = m_strTip.data();
        info.hinst = nullptr;
        return true;
    }
    if (header.hwndFrom == m_hToolBar && header.code == TBN_HOTITEMCHANGE)
    {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if ((hot.dwFlags & HICF_LEAVING) != 0 || hot.idNew == 0)
            SetStatusPrompt(std::string(FindString(AFX_IDS_IDLEMESSAGE)));
        else
            SetStatusPrompt(std::string(StatusPrompt(hot.idNew)));
        return true;
    }
    return false;
}

void CMainFrame::HandlePrivateMessage(UINT nMessage, WPARAM wParam)
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
        DestroyProgressDialog();
        m_pProgressDialog = std::make_unique<CProgressDialog>(m_hWnd);
        m_pProgressDialog->m_nTotal = view.Table().GetRowCount();
        m_pProgressDialog->Create();
        view.Disposal().Acknowledge();
        break;
    case WM_DISPOSE_STEP:
        if (m_pProgressDialog != nullptr)
            m_pProgressDialog->Step(view.Disposal().StepPath());
        view.Disposal().Acknowledge();
        break;
    case WM_DISPOSE_DONE:
        DestroyProgressDialog();
        view.OnDisposeDone(wParam);
        if (ShouldCloseAfterDisposal(m_launchMode, IsWindowVisible(m_hWnd) != FALSE))
        {
            if (m_hooks.onUnattendedPassDone)
                m_hooks.onUnattendedPassDone(view.Disposal().Summary());
            PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        }
        break;
    case WM_STARTUP_INVISIBLE:
        PostMessageW(view.Window(), WM_VIEW_STARTUP_INVISIBLE, 0, 0);
        break;
    case WM_STARTUP_VISIBLE:
        PostMessageW(view.Window(), WM_VIEW_STARTUP_VISIBLE, 0, 0);
        break;
    default:
        break;
    }
}

void CMainFrame::DestroyProgressDialog()
{
    m_pProgressDialog.reset();
}

void CMainFrame::OnClose()
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
        SetTimer(m_hWnd, CLOSE_RETRY_TIMER_ID, CLOSE_RETRY_MS, nullptr);
        return;
    case ECloseAction::RetryAfterDisposal:
        // A disposal is never cut short: the close waits for its end.
        SetTimer(m_hWnd, CLOSE_RETRY_TIMER_ID, CLOSE_RETRY_MS, nullptr);
        return;
    case ECloseAction::Close:
        break;
    }
    const std::array<int, 4> widths = m_pView->GetColumnWidths();
    WriteColumnWidths(m_services.store, ColumnWidths{widths[0], widths[1], widths[2], widths[3]});
    m_bPlacementReady = false;
    DestroyProgressDialog();
    DestroyWindow(m_hWnd);
}

void CMainFrame::OnTimer(UINT_PTR nTimerId)
{
    KillTimer(m_hWnd, nTimerId);
    if (nTimerId == CLOSE_RETRY_TIMER_ID)
        OnClose();
    else if (nTimerId == NOTICE_TIMER_ID)
        ShowVersionNotice();
}

void CMainFrame::ShowVersionNotice()
{
    if (m_services.store.GetInt("Settings", "23", 0) != 0)
        return;
    ShowScrubixMessage(IsWindowVisible(m_hWnd) ? m_hWnd : nullptr, VERSION_NOTICE_TEXT);
    m_services.store.SetInt("Settings", "23", 1);
}

bool CMainFrame::RunWelcomeDialog()
{
    CWelcomeDialog welcome(m_services.shell, HelpIndexPath());
    return CWelcomeDialog::ChoosesMove(welcome.DoModal(IsWindowVisible(m_hWnd) ? m_hWnd : nullptr));
}

bool CMainFrame::RunPurgeWarning(bool& bDontShow)
{
    return CPurgeWarningDialog::Confirm(IsWindowVisible(m_hWnd) ? m_hWnd : nullptr, bDontShow);
}

void CMainFrame::OpenHelp()
{
    if (m_hooks.openHelp)
    {
        m_hooks.openHelp();
        return;
    }
    const std::string strHelp = HelpIndexPath();
    if (strHelp.empty() || !m_services.shell.Open(strHelp))
        MessageBeep(MB_OK);
}

void CMainFrame::ShowAbout()
{
    if (m_hooks.showAbout)
    {
        m_hooks.showAbout(m_hWnd);
        return;
    }
    // The web link opens the help page that ships with the program.
    RunAboutDialog(m_hWnd, m_services.shell, m_aboutLinks, HelpIndexPath());
}

void CMainFrame::ShowOptions()
{
    // After OK the sheet has saved the settings and rewritten the Run entry.
    const bool bAccepted =
        m_hooks.showOptions
            ? m_hooks.showOptions(m_hWnd)
            : RunOptionsSheet(m_hWnd, m_doc, m_pView->GetViewState(), m_services.autostart);
    if (!bAccepted)
        return;
    SetWindowTextW(m_pView->ActionButton(), WideFromUtf8(ActionButtonText(m_doc.Move)).c_str());
    UpdateCommands();
}
