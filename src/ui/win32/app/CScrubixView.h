#pragma once

#include "disposal/CDisposal.h"
#include "search/CCandidateTable.h"
#include "search/CSearch.h"
#include "search/ResultsExport.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/Commands.h"
#include "ui/rules/ResultsExclusions.h"
#include "ui/rules/ViewState.h"
#include "ui/rules/ViewTexts.h"
#include "ui/win32/app/CFramePort.h"
#include "ui/win32/app/CResultsListView.h"
#include "ui/win32/app/CWindowPrompt.h"
#include "ui/win32/app/CWindowResultsList.h"

#include <array>
#include <chrono>
#include <string>
#include <windows.h>

class CMainFrame;
class CScrubixDoc;
class CSettingsStore;
class IAutostart;
class IClock;
class IFileSystem;
class IShell;
class IUrlCache;
struct CLaunchMode;

// What the results view reaches the OS through. Every reference outlives the view.
struct SViewServices
{
    IFileSystem& fileSystem;
    IShell& shell;
    IClock& clock;
    IUrlCache& urlCache;
    CSettingsStore& store;
    const CLaunchMode& launchMode;
    IAutostart& autostart; // the login entry that mirrors the Run value
};

// The main window's client area: form 101 as a child dialog built from its
// template (drive box, Search, Action and Cancel, four counters, two progress
// lines, the results list) and the state machine that starts the searching
// and disposing threads and turns their messages into state changes.
//
// Everything here runs on the user-interface thread. Workers reach the view
// only through the frame's posted messages, the acknowledgement words and the
// window seams (IResultsList, IUserPrompt), which run their calls here.
class CScrubixView
{
public:
    CScrubixView(CScrubixDoc& doc, CMainFrame& frame, const SViewServices& services);
    // Destroy only while no worker runs (the frame's close rules see to it).
    ~CScrubixView();
    CScrubixView(const CScrubixView&) = delete;
    CScrubixView& operator=(const CScrubixView&) = delete;

    // Creates the form inside the frame's window at (x, y) of its client area.
    bool Create(HWND hFrame, int x, int y);
    HWND Window() const { return m_hForm; }

    // Runs once before the frame is first shown: fits the frame to the form,
    // may show the Welcome dialog, enters Idle, sizes the columns, fills the
    // drive box and arms the frame's notice timer.
    void OnInitialUpdate();

    ViewState GetViewState() const { return m_nViewState; }
    // Enters the state with every effect of the state table (ViewStateEffects).
    void SetViewState(ViewState nState);
    // Transfers the six strings to their labels.
    void PushTexts();
    // PushTexts within TEXT_INTERVAL_MS, for the search's messages: many
    // messages in between are drawn once.
    void SchedulePushTexts();

    // Validates the drive box and begins a search; false when none started
    // ("List Box Error" or "Cannot Scan Path" shown, in every launch mode).
    bool StartSearch();
    // Enters Searching and arms timer 102, which starts the searching thread.
    void BeginSearch(const std::string& strRoot);
    // Snapshots the disposal settings, enters Disposing and starts the
    // disposing thread with the program's own files protected; false when it
    // could not start. Only from Results, except in the unattended chain.
    bool StartDisposal();
    void FillDriveBox();

    // The commands.
    void OnSearchCommand(); // Search, or Stop Search while searching
    void OnCancelCommand(); // back to Idle from Results

    // The frame's message handlers' halves.
    void AddCandidateRow();
    void OnSearchPath();
    void OnSearchDone();
    void OnDisposeDone(uintptr_t wParam);

    // The results list's commands that the list itself offers.
    SListCommandContext ListCommandContext() const;
    bool IsListCommandAvailable(EListCommand command) const;
    // Orders the rows by the column: ascending first, a second request for
    // the same column reverses the order. The header shows it.
    void SortByColumn(int nColumn);
    // The selected rows (the current row when none is selected) take the
    // opposite of the current row's check box.
    void ToggleSelectedRows();
    // Every row checked or unchecked; every row's check box flipped.
    void SetAllChecked(bool bChecked);
    void InvertChecks();
    // The current row's path, empty without one.
    std::string CurrentRowPath() const;
    // The current row's file, and the folder holding it, opened through the shell.
    void OpenCurrentFile();
    void OpenCurrentFolder();
    // The current row's path (as listed, or as the host names it) onto the
    // clipboard as text; false when nothing was copied.
    bool CopyCurrentPath(bool bHostPath);
    // The current row's entry added to Excludes or Filters as the Options
    // pages add it (refusals shown); the rows it leaves out are unchecked.
    // True when the entry is in the list now.
    bool ExcludeCurrentRow(EExclusion kind);
    // Writes every row in the displayed order to strFile (UTF-8, a path of
    // the host) in the form given; false when it could not be written.
    bool ExportResults(const std::string& strFile, EExportFormat format);
    // "%d checked, %dK bytes".
    std::string CheckedText() const;
    // Undo Last Move (CUndoLastMove), then its report in the program's
    // message box; does nothing when the command is unavailable. The report
    // is returned as well (empty when nothing ran).
    std::string UndoLastMove();
    // Reads again what the stored record of the last pass holds (the
    // command's availability); done on every entry into Idle.
    void RefreshLastPass();

    // The widths of the four columns as shown.
    std::array<int, 4> GetColumnWidths() const;

    CDisposal& Disposal() { return m_disposal; }
    CFramePort& Port() { return m_port; }
    CResultsListView& List() { return m_list; }
    CCandidateTable& Table() { return m_table; }
    CScrubixDoc& Document() { return m_doc; }
    HWND ResultsList() const { return m_list.Window(); }
    HWND DriveBox() const { return Control(IDC_DRIVE_BOX); }
    HWND SearchButton() const { return Control(IDC_SEARCH); }
    HWND ActionButton() const { return Control(IDC_ACTION); }
    HWND CancelButton() const { return Control(IDC_CANCEL_RESULTS); }
    // A control of the form by id.
    HWND Control(int nControlId) const { return GetDlgItem(m_hForm, nControlId); }

    bool IsSearchRunning() const { return m_search.IsRunning(); }
    // An invisible run whose window is still hidden: nothing waits for a user.
    bool IsUnattended() const;
    // The six strings as they were last set (pushed by PushTexts).
    const SViewTexts& Texts() const { return m_texts; }

    // The frame's wait cursor for a purge pass.
    bool IsWaitCursorOn() const { return m_nWaitCursor > 0; }

    static constexpr UINT_PTR START_TIMER_ID = 102;
    static constexpr UINT START_TIMER_MS = 100;
    static constexpr UINT_PTR TEXT_TIMER_ID = 106;
    static constexpr UINT TEXT_INTERVAL_MS = 40;
    static constexpr UINT_PTR BATCH_TIMER_ID = 107;
    static constexpr UINT BATCH_TIMER_MS = 50;
    static constexpr int BATCH_ROWS = 2000;

private:
    static INT_PTR CALLBACK FormProc(HWND hForm, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nTimerId);
    void FitFrameToForm();
    void RunWelcome();
    void SetUpColumns();
    void ShowError(const std::string& strText);
    void StartSearchThread();
    void ApplyControlChange(int nControlId, const struct SControlChange& change);
    void SetWaitCursor(bool bOn);

    CScrubixDoc& m_doc;
    CMainFrame& m_frame;
    SViewServices m_services;
    HWND m_hForm = nullptr;

    ViewState m_nViewState = ViewState::None;
    SViewTexts m_texts;
    std::chrono::steady_clock::time_point m_lastTextPush;
    bool m_bTextTimerArmed = false;
    bool m_bBatchTimerArmed = false;
    int m_nWaitCursor = 0;

    CCandidateTable m_table;
    CResultsListView m_list;
    CFramePort m_port;
    CWindowPrompt m_prompt;
    CWindowResultsList m_resultsList;
    CDisposal m_disposal;
    CSearch m_search;

    int m_nSortColumn = -1;                 // none: the rows are in the order found
    ELastPass m_lastPass = ELastPass::None; // as last read from the record
    bool m_bSortDescending = false;
};
