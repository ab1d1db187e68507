#pragma once

#include "search/CCandidateTable.h"
#include "search/ICandidateTableObserver.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

// The results list: the form's SysListView32 in report view with check boxes
// and four columns ("Path", "Reason", "Size", "Modified"), a virtual list
// (LVS_OWNERDATA) over the candidate table. The list holds no rows: it asks
// for each cell's text and each row's check box (LVN_GETDISPINFO), so a
// million rows are ready at once. The check boxes are the program's own: a
// click on a row's box (NM_CLICK on the state icon) and Space change the
// table, and the list is redrawn where they changed. A right click, the menu
// key and Shift+F10 reach the form as WM_CONTEXTMENU (the list's default).
//
// It observes the table: rows added are shown in batches (ShowPendingRows),
// rows removed, a reset and a sort are shown when they happen, or, while
// removals are batched, at most every REMOVAL_BATCH_MS.
//
// User-interface thread only, apart from CheckChanges.
class CResultsListView : private ICandidateTableObserver
{
public:
    static constexpr int COLUMN_COUNT = 4;
    static constexpr auto REMOVAL_BATCH_MS = std::chrono::milliseconds(100);
    static constexpr int REMOVAL_BATCH_MIN_ROWS = 1000;

    // Observes the table until destroyed.
    explicit CResultsListView(CCandidateTable& table);
    ~CResultsListView() override;
    CResultsListView(const CResultsListView&) = delete;
    CResultsListView& operator=(const CResultsListView&) = delete;

    // Puts a virtual list in place of the form's list view nId (a list's
    // LVS_OWNERDATA is fixed at its creation): same id, rectangle, styles and
    // place in the tab order; then its columns and check boxes.
    void Attach(HWND hForm, int nId);
    HWND Window() const { return m_hList; }

    // What the list tells its owner.
    std::function<void()> onChecksChanged;     // check boxes or rows changed (counters)
    std::function<void(int)> onColumnClick;    // a header was clicked
    std::function<void()> onToggleSelected;    // Space in the list
    std::function<void()> onCurrentRowChanged; // the focused row changed

    // Handles the list's notifications sent to the form; true when handled,
    // with the result in lResult.
    bool OnNotify(const NMHDR& header, LRESULT& lResult);

    CCandidateTable& Table() { return m_table; }
    // Rows the list shows.
    int ShownRowCount() const { return m_nShownRows; }
    int PendingRowCount() const { return m_table.GetRowCount() - m_nShownRows; }
    // Shows every row added to the table since the last call, and the
    // removals held back while batched.
    void ShowPendingRows();
    // While on (and the list holds more than REMOVAL_BATCH_MIN_ROWS rows), the
    // table's removals are shown together at most every REMOVAL_BATCH_MS.
    // Turning it off shows what is left at once.
    void SetRemovalsBatched(bool bBatched);
    // Removes one row of the table (pending rows are shown first).
    void RemoveRow(int nRow);
    // Empties the table and the list.
    void Clear();

    bool IsRowChecked(int nRow) const;
    void SetRowChecked(int nRow, bool bChecked);
    void SetAllChecked(bool bChecked);
    void InvertChecks();
    void SetRowsChecked(const std::vector<int>& rows, bool bChecked);
    // Unchecks every row the predicate picks; how many changed.
    int UncheckWhere(const std::function<bool(const SCandidateRow&)>& pick);
    // Orders the rows; the focused row stays focused and selected, alone.
    void Sort(ESortColumn column, bool bDescending);
    // The header's arrow on the column (-1: none).
    void ShowSortIndicator(int nColumn, bool bDescending);

    // The focused row, -1 without one.
    int CurrentRow() const;
    void SetCurrentRow(int nRow);
    std::vector<int> SelectedRows() const;
    void ScrollToLastRow();

    std::array<int, COLUMN_COUNT> ColumnWidths() const;
    void SetColumnWidths(const std::array<int32_t, COLUMN_COUNT>& widths);
    // The list's client width without a vertical scroll bar.
    int ClientWidth() const;

    // Bumped whenever check boxes change; any thread may read it.
    uint64_t CheckChanges() const { return m_nCheckChanges.load(std::memory_order_acquire); }

private:
    void OnRowsAboutToReset() override {}
    void OnRowsReset() override;
    void OnRowsAboutToInsert(int, int) override {}
    void OnRowsInserted(int, int) override {}
    void OnRowsAboutToRemove(int, int) override {}
    void OnRowsRemoved(int nFirst, int nLast) override;
    void OnRowsAboutToReorder() override;
    void OnRowsReordered() override;

    void SetListCount(int nRows);
    void ChecksChanged();
    void RedrawRows(int nFirst, int nLast);
    void FillCell(NMLVDISPINFOW& info);
    bool OnClick(const NMITEMACTIVATE& activate);

    CCandidateTable& m_table;
    HWND m_hList = nullptr;
    int m_nShownRows = 0;
    bool m_bRemovalsBatched = false;
    std::chrono::steady_clock::time_point m_lastRemovalShown;
    const SCandidateRow* m_pFocusedBeforeSort = nullptr;
    std::atomic<uint64_t> m_nCheckChanges{0};
    std::wstring m_strCell; // the text last handed to the list
};
