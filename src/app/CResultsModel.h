#pragma once

#include "search/CCandidateTable.h"

#include <QAbstractTableModel>

// The results list's rows as a Qt model over the candidate table: column 0
// "Path" with the check box, 1 "Reason", 2 "Size". Rows added to the table
// are shown in batches (ShowPendingRows, one insertion notice per batch);
// every other change goes through the model so the views hear of it at once.
//
// Used on the user-interface thread only.
class CResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum EColumn
    {
        COLUMN_PATH = 0,
        COLUMN_REASON = 1,
        COLUMN_SIZE = 2,
        COLUMN_COUNT = 3
    };
    // The size column's byte count, for sorting on the raw value.
    static constexpr int SIZE_ROLE = Qt::UserRole + 1;

    explicit CResultsModel(CCandidateTable& table, QObject* pParent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int nRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override;

    // Rows the table holds that the views have not been told of yet.
    int PendingRowCount() const { return m_table.GetRowCount() - m_nShownRows; }
    // Tells the views of every row added to the table since the last call.
    void ShowPendingRows();
    // Removes one row (pending rows are shown first, so indexes agree).
    void RemoveRow(int nRow);
    // Empties the table and the views.
    void Clear();

    bool IsRowChecked(int nRow) const;
    void SetRowChecked(int nRow, bool bChecked);

    CCandidateTable& Table() { return m_table; }

private:
    CCandidateTable& m_table;
    int m_nShownRows = 0;
};
