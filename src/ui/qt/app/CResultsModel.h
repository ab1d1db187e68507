#pragma once

#include "search/CCandidateTable.h"
#include "search/ICandidateTableObserver.h"

#include <QAbstractTableModel>
#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <algorithm>
#include <utility>
#include <vector>

// The results list's rows as a Qt model over the candidate table: column 0
// "Path" with the check box, 1 "Reason", 2 "Size", 3 "Modified". The model observes the
// table: its begin/end calls come from the table's change notices, so a row
// removed by the disposing thread, a reset and a sort are announced in time.
// Rows added to the table are shown in batches (ShowPendingRows, one
// insertion notice per batch).
//
// Check boxes change through the model (SetRowChecked, the bulk operations),
// which tells the views and emits CheckedCountsChanged.
//
// Used on the user-interface thread only.
class CResultsModel : public QAbstractTableModel, private ICandidateTableObserver
{
    Q_OBJECT
public:
    enum EColumn
    {
        COLUMN_PATH = 0,
        COLUMN_REASON = 1,
        COLUMN_SIZE = 2,
        COLUMN_MODIFIED = 3,
        COLUMN_COUNT = 4
    };
    // The size column's byte count, for sorting on the raw value.
    static constexpr int SIZE_ROLE = Qt::UserRole + 1;
    // How removals are batched (SetRemovalsBatched).
    static constexpr int REMOVAL_BATCH_MS = 100;
    static constexpr int REMOVAL_BATCH_MIN_ROWS = 1000;

    // Observes the table until destroyed.
    explicit CResultsModel(CCandidateTable& table, QObject* pParent = nullptr);
    ~CResultsModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int nRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override;

    // Rows the table holds that the views have not been told of yet.
    int PendingRowCount() const { return m_table.GetRowCount() - m_nShownRows; }
    // Tells the views of every row added to the table since the last call,
    // and of the rows removed while removals are batched.
    void ShowPendingRows();
    // While on, rows the table removes (the disposing thread's, one call per
    // row) are announced together every REMOVAL_BATCH_MS: a tree view lays
    // out all its rows again after each removal, which would make a purge of
    // n rows cost n full layouts. Until then the views keep their row count
    // and rows past the table's end show nothing. Turning it off announces
    // what is left at once. Lists of up to REMOVAL_BATCH_MIN_ROWS rows are
    // cheap to lay out and keep hearing of each removal.
    void SetRemovalsBatched(bool bBatched);
    // Removes one row (pending rows are shown first, so indexes agree).
    void RemoveRow(int nRow);
    // Empties the table and the views.
    void Clear();

    bool IsRowChecked(int nRow) const;
    void SetRowChecked(int nRow, bool bChecked);
    // Every row at once; one change notice for the column.
    void SetAllChecked(bool bChecked);
    void InvertChecks();
    // The rows given (indexes of shown rows) all take bChecked.
    void SetRowsChecked(const std::vector<int>& rows, bool bChecked);
    // Unchecks every row the predicate picks; how many changed.
    template <typename FPredicate> int UncheckWhere(FPredicate pick);
    // Orders the rows (shown first) by the column; the views keep their
    // current and selected rows.
    void Sort(ESortColumn column, bool bDescending);

    CCandidateTable& Table() { return m_table; }

signals:
    // The checked counters may have changed (rows checked, added, removed).
    void CheckedCountsChanged();

private:
    void OnRowsAboutToReset() override;
    void OnRowsReset() override;
    void OnRowsAboutToInsert(int nFirst, int nLast) override;
    void OnRowsInserted(int nFirst, int nLast) override;
    void OnRowsAboutToRemove(int nFirst, int nLast) override;
    void OnRowsRemoved(int nFirst, int nLast) override;
    void OnRowsAboutToReorder() override;
    void OnRowsReordered() override;
    void AnnounceAllChecks();
    void timerEvent(QTimerEvent* pEvent) override;
    // A row the views know of that the table still holds.
    bool IsShownRow(int nRow) const { return nRow >= 0 && nRow < ShownTableRows(); }
    int ShownTableRows() const { return std::min(m_nShownRows, m_table.GetRowCount()); }

    CCandidateTable& m_table;
    int m_nShownRows = 0;
    bool m_bRemovingShownRows = false;
    bool m_bRemovalsBatched = false;
    QBasicTimer m_removalTimer;
    // While rows are reordered: each persistent index and its row.
    std::vector<std::pair<QPersistentModelIndex, const SCandidateRow*>> m_reordered;
};

template <typename FPredicate> int CResultsModel::UncheckWhere(FPredicate pick)
{
    ShowPendingRows();
    int nChanged = 0;
    const int nRows = m_table.GetRowCount();
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const SCandidateRow& row = m_table.Rows()[static_cast<size_t>(nRow)];
        if (row.bChecked && pick(row))
        {
            m_table.SetChecked(nRow, false);
            ++nChanged;
        }
    }
    if (nChanged > 0)
        AnnounceAllChecks();
    return nChanged;
}
