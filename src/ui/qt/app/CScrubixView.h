#pragma once

#include "disposal/CDisposal.h"
#include "search/CCandidateTable.h"
#include "search/CSearch.h"
#include "search/ResultsExport.h"
#include "ui/qt/app/CFramePort.h"
#include "ui/qt/app/CResultsModel.h"
#include "ui/qt/app/CWindowPrompt.h"
#include "ui/qt/app/CWindowResultsList.h"
#include "ui/rules/Commands.h"
#include "ui/rules/ResultsExclusions.h"
#include "ui/rules/ViewState.h"
#include "ui/rules/ViewTexts.h"

#include <QBasicTimer>
#include <QWidget>
#include <array>
#include <map>
#include <string>

class CMainFrame;
class CScrubixDoc;
class CSettingsStore;
class IAutostart;
class IClock;
class IFileSystem;
class IShell;
class IUrlCache;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;
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

// The main window's client area: the form of template 101 (drive box, Search,
// Action and Cancel, four counters, two progress lines, the results list) and
// the state machine that starts the searching and disposing threads and turns
// their messages into state changes.
//
// Everything here runs on the user-interface thread. Workers reach the view
// only through the frame's posted messages, the acknowledgement words and the
// window seams (IResultsList, IUserPrompt), which run their calls here.
class CScrubixView : public QWidget
{
    Q_OBJECT
public:
    CScrubixView(CScrubixDoc& doc, CMainFrame& frame, const SViewServices& services);
    // Destroy only while no worker runs (the frame's close rules see to it).
    ~CScrubixView() override;

    // Runs once when the view is first shown: fits the frame to the form, may
    // show the Welcome dialog, enters Idle, sizes the columns, fills the
    // drive box and arms the frame's notice timer.
    void OnInitialUpdate();

    ViewState GetViewState() const { return m_nViewState; }
    // Enters the state with every effect of the state table (ViewStateEffects).
    void SetViewState(ViewState nState);
    // Transfers the six strings to their labels.
    void PushTexts();
    // PushTexts within TEXT_TIMER_MS, for the search's messages: many
    // messages in between are drawn once.
    void SchedulePushTexts();

    // Validates the drive box and begins a search; false when none started
    // ("List Box Error" or "Cannot Scan Path" shown, in every launch mode).
    bool StartSearch();
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

    // The results list's commands (EListCommand); each does nothing when
    // IsListCommandEnabled says it is unavailable.
    SListCommandContext ListCommandContext() const;
    bool IsListCommandAvailable(EListCommand command) const;
    // Orders the rows by the column: ascending first, a second request for
    // the same column reverses the order. The header shows it.
    void SortByColumn(int nColumn);
    void SetAllChecked(bool bChecked);
    void InvertChecks();
    // The selected rows (the current row when none is selected) take the
    // opposite of the current row's check box.
    void ToggleSelectedRows();
    // The current row's path, empty without one.
    std::string CurrentRowPath() const;
    void OpenCurrentFile();
    void OpenCurrentFolder();
    // The current row's path to the clipboard, as listed or as the host names it.
    void CopyCurrentPath(bool bHostPath);
    // The current row's entry added as the Options pages add it; the rows it
    // leaves out are unchecked at once. False when refused or unavailable.
    bool ExcludeCurrentRow(EExclusion kind);
    // Writes every row in the displayed order; false when the file could
    // not be written.
    bool ExportResults(const QString& strFile, EExportFormat format);
    // "%d checked, %dK bytes".
    QString CheckedText() const;
    // Undo Last Move (CUndoLastMove), then its report in the program's
    // message box; does nothing when the command is unavailable. The report
    // is returned as well (empty when nothing ran).
    std::string UndoLastMove();
    // Reads again what the stored record of the last pass holds (the
    // command's availability); done on every entry into Idle.
    void RefreshLastPass();

    // The widths of the four columns as shown.
    std::array<int, 4> GetColumnWidths() const;

    bool HasFixedFrameSize() const { return m_bFixedFrameSize; }
    QSize FixedFrameSize() const { return m_fixedFrameSize; }

    CDisposal& Disposal() { return m_disposal; }
    // The workers' port; the frame drains it (CFramePort::HandleWaiting).
    CFramePort& Port() { return m_port; }
    CResultsModel& Model() { return m_model; }
    CScrubixDoc& Document() { return m_doc; }
    QTreeView* ResultsList() const { return m_pList; }
    QComboBox* DriveBox() const { return m_pDriveBox; }
    QPushButton* SearchButton() const { return m_pSearchButton; }
    QPushButton* ActionButton() const { return m_pActionButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }
    // A label of the form by control id (nullptr for an unknown id).
    QLabel* Label(int nControlId) const;

    bool IsSearchRunning() const { return m_search.IsRunning(); }
    // An invisible run whose window is still hidden: nothing waits for a user.
    bool IsUnattended() const;
    // The six strings as they were last set (pushed by PushTexts).
    const SViewTexts& Texts() const { return m_texts; }

signals:
    // The state changed (the frame re-evaluates its commands).
    void ViewStateChanged();
    // The current row changed (the list commands' availability may change).
    void CurrentRowChanged();

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    bool event(QEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void BuildForm();
    void FitFrameToForm();
    void RunWelcome();
    void SetUpColumns();
    void ShowError(const QString& strText);
    void StartSearchThread();
    void ApplyControlChange(QPushButton* pButton, const struct SControlChange& change);
    bool ShowPurgeWarning(bool& bDontShow);

    CScrubixDoc& m_doc;
    CMainFrame& m_frame;
    SViewServices m_services;

    ViewState m_nViewState = ViewState::None;
    bool m_bFixedFrameSize = false;
    QSize m_fixedFrameSize;

    // The six strings pushed to labels 1001, 1003, 1002, 1008, 1007, 1013.
    SViewTexts m_texts;

    CCandidateTable m_table;
    CResultsModel m_model;
    CFramePort m_port;
    CWindowPrompt m_prompt;
    CWindowResultsList m_resultsList;
    CDisposal m_disposal;
    CSearch m_search;

    QBasicTimer m_startTimer; // timer 102: starts the searching thread
    QBasicTimer m_batchTimer; // shows the rows that arrived since the last batch
    QBasicTimer m_textTimer;  // pushes the texts a search's messages changed

    QComboBox* m_pDriveBox = nullptr;
    QPushButton* m_pSearchButton = nullptr;
    QPushButton* m_pActionButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    QTreeView* m_pList = nullptr;
    std::map<int, QLabel*> m_labels;
    int m_nSortColumn = -1;                 // none: the rows are in the order found
    ELastPass m_lastPass = ELastPass::None; // as last read from the record
    bool m_bSortDescending = false;
};
