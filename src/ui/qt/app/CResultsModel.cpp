#include "ui/qt/app/CResultsModel.h"

#include <QTimerEvent>
#include <unordered_map>

CResultsModel::CResultsModel(CCandidateTable& table, QObject* pParent)
    : QAbstractTableModel(pParent), m_table(table), m_nShownRows(table.GetRowCount())
{
    m_table.SetObserver(this);
}

CResultsModel::~CResultsModel()
{
    m_table.SetObserver(nullptr);
}

int CResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nShownRows;
}

int CResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant CResultsModel::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid() || !IsShownRow(index.row()))
        return {};
    const SCandidateRow& row = m_table.Rows()[static_cast<size_t>(index.row())];
    if (nRole == Qt::DisplayRole || nRole == Qt::AccessibleTextRole)
    {
        switch (index.column())
        {
        case COLUMN_PATH:
            return QString::fromStdString(row.strPath);
        case COLUMN_REASON:
            return QString::fromLatin1(CCandidateTable::ReasonWord(row.nReason));
        case COLUMN_SIZE:
            return QString::fromStdString(CCandidateTable::SizeText(row.dSize, row.nReason));
        case COLUMN_MODIFIED:
            return QString::fromStdString(CCandidateTable::ModifiedText(row.nModified));
        default:
            return {};
        }
    }
    if (nRole == Qt::CheckStateRole && index.column() == COLUMN_PATH)
        return row.bChecked ? Qt::Checked : Qt::Unchecked;
    if (nRole == SIZE_ROLE && index.column() == COLUMN_SIZE)
        return row.dSize;
    return {};
}

bool CResultsModel::setData(const QModelIndex& index, const QVariant& value, int nRole)
{
    if (!index.isValid() || !IsShownRow(index.row()) || index.column() != COLUMN_PATH ||
        nRole != Qt::CheckStateRole)
        return false;
    SetRowChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags CResultsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags nFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == COLUMN_PATH)
        nFlags |= Qt::ItemIsUserCheckable;
    return nFlags;
}

QVariant CResultsModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nRole != Qt::DisplayRole)
        return {};
    switch (nSection)
    {
    case COLUMN_PATH:
        return QStringLiteral("Path");
    case COLUMN_REASON:
        return QStringLiteral("Reason");
    case COLUMN_SIZE:
        return QStringLiteral("Size");
    case COLUMN_MODIFIED:
        return QStringLiteral("Modified");
    default:
        return {};
    }
}

void CResultsModel::ShowPendingRows()
{
    const int nRows = m_table.GetRowCount();
    if (nRows < m_nShownRows)
    {
        // Removals batched: the rows left moved up, so every shown row may
        // have changed.
        beginRemoveRows(QModelIndex(), nRows, m_nShownRows - 1);
        m_nShownRows = nRows;
        endRemoveRows();
        if (nRows > 0)
            emit dataChanged(index(0, 0), index(nRows - 1, COLUMN_COUNT - 1));
        emit CheckedCountsChanged();
        return;
    }
    if (nRows == m_nShownRows)
        return;
    beginInsertRows(QModelIndex(), m_nShownRows, nRows - 1);
    m_nShownRows = nRows;
    endInsertRows();
    emit CheckedCountsChanged();
}

void CResultsModel::RemoveRow(int nRow)
{
    if (!m_bRemovalsBatched)
        ShowPendingRows();
    m_table.DeleteRow(nRow);
}

void CResultsModel::SetRemovalsBatched(bool bBatched)
{
    m_bRemovalsBatched = bBatched && m_nShownRows > REMOVAL_BATCH_MIN_ROWS;
    if (!m_bRemovalsBatched)
    {
        m_removalTimer.stop();
        ShowPendingRows();
    }
}

void CResultsModel::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() != m_removalTimer.timerId())
    {
        QAbstractTableModel::timerEvent(pEvent);
        return;
    }
    m_removalTimer.stop();
    ShowPendingRows();
}

void CResultsModel::Clear()
{
    m_table.Clear();
}

bool CResultsModel::IsRowChecked(int nRow) const
{
    return nRow >= 0 && nRow < m_table.GetRowCount() &&
           m_table.Rows()[static_cast<size_t>(nRow)].bChecked;
}

void CResultsModel::SetRowChecked(int nRow, bool bChecked)
{
    if (nRow < 0 || nRow >= m_table.GetRowCount())
        return;
    m_table.SetChecked(nRow, bChecked);
    if (IsShownRow(nRow))
    {
        const QModelIndex cell = index(nRow, COLUMN_PATH);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
    emit CheckedCountsChanged();
}

void CResultsModel::AnnounceAllChecks()
{
    if (m_nShownRows > 0)
        emit dataChanged(index(0, COLUMN_PATH), index(m_nShownRows - 1, COLUMN_PATH),
                         {Qt::CheckStateRole});
    emit CheckedCountsChanged();
}

void CResultsModel::SetAllChecked(bool bChecked)
{
    ShowPendingRows();
    m_table.SetAllChecked(bChecked);
    AnnounceAllChecks();
}

void CResultsModel::InvertChecks()
{
    ShowPendingRows();
    m_table.InvertChecks();
    AnnounceAllChecks();
}

void CResultsModel::SetRowsChecked(const std::vector<int>& rows, bool bChecked)
{
    if (rows.empty())
        return;
    int nFirst = m_nShownRows;
    int nLast = -1;
    for (int nRow : rows)
    {
        if (!IsShownRow(nRow))
            continue;
        m_table.SetChecked(nRow, bChecked);
        nFirst = std::min(nFirst, nRow);
        nLast = std::max(nLast, nRow);
    }
    if (nLast >= nFirst)
        emit dataChanged(index(nFirst, COLUMN_PATH), index(nLast, COLUMN_PATH),
                         {Qt::CheckStateRole});
    emit CheckedCountsChanged();
}

void CResultsModel::Sort(ESortColumn column, bool bDescending)
{
    ShowPendingRows();
    m_table.Sort(column, bDescending);
}

void CResultsModel::OnRowsAboutToReset()
{
    beginResetModel();
}

void CResultsModel::OnRowsReset()
{
    m_nShownRows = 0;
    endResetModel();
    emit CheckedCountsChanged();
}

void CResultsModel::OnRowsAboutToInsert(int, int)
{
    // Shown in batches: the row stays pending until ShowPendingRows.
}

void CResultsModel::OnRowsInserted(int, int) {}

void CResultsModel::OnRowsAboutToRemove(int nFirst, int nLast)
{
    if (m_bRemovalsBatched)
    {
        m_bRemovingShownRows = false;
        if (!m_removalTimer.isActive())
            m_removalTimer.start(REMOVAL_BATCH_MS, this);
        return;
    }
    // Rows not shown yet need no announcement.
    m_bRemovingShownRows = nFirst < m_nShownRows;
    if (m_bRemovingShownRows)
        beginRemoveRows(QModelIndex(), nFirst, std::min(nLast, m_nShownRows - 1));
}

void CResultsModel::OnRowsRemoved(int nFirst, int nLast)
{
    if (!m_bRemovingShownRows)
        return;
    m_nShownRows -= std::min(nLast, m_nShownRows - 1) - nFirst + 1;
    m_bRemovingShownRows = false;
    endRemoveRows();
    emit CheckedCountsChanged();
}

void CResultsModel::OnRowsAboutToReorder()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_reordered.clear();
    for (const QModelIndex& index : persistentIndexList())
        if (index.isValid() && index.row() < m_nShownRows)
            m_reordered.emplace_back(index, &m_table.Rows()[static_cast<size_t>(index.row())]);
}

void CResultsModel::OnRowsReordered()
{
    if (!m_reordered.empty())
    {
        // One pass over the new order finds every tracked row.
        std::unordered_map<const SCandidateRow*, int> rowOf;
        for (const auto& tracked : m_reordered)
            rowOf.emplace(tracked.second, -1);
        const int nRows = m_table.GetRowCount();
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            const auto it = rowOf.find(&m_table.Rows()[static_cast<size_t>(nRow)]);
            if (it != rowOf.end())
                it->second = nRow;
        }
        QModelIndexList from;
        QModelIndexList to;
        for (const auto& [persistent, pRow] : m_reordered)
        {
            from.push_back(persistent);
            to.push_back(index(rowOf[pRow], persistent.column()));
        }
        changePersistentIndexList(from, to);
        m_reordered.clear();
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
