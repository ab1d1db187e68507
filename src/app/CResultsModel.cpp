#include "app/CResultsModel.h"

CResultsModel::CResultsModel(CCandidateTable& table, QObject* pParent)
    : QAbstractTableModel(pParent), m_table(table), m_nShownRows(table.GetRowCount())
{
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
    if (!index.isValid() || index.row() >= m_nShownRows)
        return {};
    const SCandidateRow& row = m_table.Rows()[static_cast<size_t>(index.row())];
    if (nRole == Qt::DisplayRole || nRole == Qt::AccessibleTextRole)
    {
        switch (index.column())
        {
        case COLUMN_PATH:
            return QString::fromUtf8(row.strPath.data(),
                                     static_cast<qsizetype>(row.strPath.size()));
        case COLUMN_REASON:
            return QString::fromLatin1(CCandidateTable::ReasonWord(row.nReason));
        case COLUMN_SIZE:
            return QString::fromStdString(CCandidateTable::SizeText(row.dSize, row.nReason));
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
    if (!index.isValid() || index.row() >= m_nShownRows || index.column() != COLUMN_PATH ||
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
    default:
        return {};
    }
}

void CResultsModel::ShowPendingRows()
{
    const int nRows = m_table.GetRowCount();
    if (nRows <= m_nShownRows)
        return;
    beginInsertRows(QModelIndex(), m_nShownRows, nRows - 1);
    m_nShownRows = nRows;
    endInsertRows();
}

void CResultsModel::RemoveRow(int nRow)
{
    ShowPendingRows();
    if (nRow < 0 || nRow >= m_nShownRows)
        return;
    beginRemoveRows(QModelIndex(), nRow, nRow);
    m_table.DeleteRow(nRow);
    m_nShownRows = m_table.GetRowCount();
    endRemoveRows();
}

void CResultsModel::Clear()
{
    beginResetModel();
    m_table.Clear();
    m_nShownRows = 0;
    endResetModel();
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
    if (nRow < m_nShownRows)
    {
        const QModelIndex cell = index(nRow, COLUMN_PATH);
        emit dataChanged(cell, cell, {Qt::CheckStateRole});
    }
}
