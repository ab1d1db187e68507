#include "search/CCandidateTable.h"

#include "search/ICandidateTableObserver.h"
#include "search/WaitForAck.h"
#include "settings/CScrubixDoc.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace
{
// "%d" of a byte count truncated towards zero; wide enough for any size a
// double can carry without the int wrap of the original.
std::string WholeNumber(double dValue)
{
    return std::to_string(static_cast<long long>(dValue));
}

// Path order: ASCII letter case ignored first, then bytes, so "a" and "A"
// sit together but still have a fixed order.
int ComparePaths(const std::string& strLeft, const std::string& strRight)
{
    const size_t nCommon = std::min(strLeft.size(), strRight.size());
    for (size_t i = 0; i < nCommon; ++i)
    {
        unsigned char cLeft = static_cast<unsigned char>(strLeft[i]);
        unsigned char cRight = static_cast<unsigned char>(strRight[i]);
        if (cLeft >= 'A' && cLeft <= 'Z')
            cLeft = static_cast<unsigned char>(cLeft - 'A' + 'a');
        if (cRight >= 'A' && cRight <= 'Z')
            cRight = static_cast<unsigned char>(cRight - 'A' + 'a');
        if (cLeft != cRight)
            return cLeft < cRight ? -1 : 1;
    }
    if (strLeft.size() != strRight.size())
        return strLeft.size() < strRight.size() ? -1 : 1;
    return strLeft.compare(strRight);
}

int CompareRows(const SCandidateRow& left, const SCandidateRow& right, ESortColumn column)
{
    switch (column)
    {
    case ESortColumn::Path:
        return ComparePaths(left.strPath, right.strPath);
    case ESortColumn::Reason:
        return std::strcmp(CCandidateTable::ReasonWord(left.nReason),
                           CCandidateTable::ReasonWord(right.nReason));
    case ESortColumn::Size:
        return left.dSize < right.dSize ? -1 : (right.dSize < left.dSize ? 1 : 0);
    }
    return 0;
}
} // namespace

double CCandidateTable::CountedBytes(const SCandidateRow& row)
{
    return row.nReason == REASON_ZERO_LENGTH ? 0.0 : row.dSize;
}

void CCandidateTable::CountRow(const SCandidateRow& row, int nSign)
{
    if (!row.bChecked)
        return;
    m_nChecked += nSign;
    m_dCheckedBytes += nSign * CountedBytes(row);
}

bool CCandidateTable::AddCandidateRow(CScrubixDoc& doc)
{
    if (m_listedPaths.Contains(doc.CandidatePath))
    {
        SetAck(doc.CandidateAck);
        return false;
    }

    if (m_nStored == m_blocks.size() * ROWS_PER_BLOCK)
        m_blocks.push_back(std::make_unique<SCandidateRow[]>(ROWS_PER_BLOCK));
    SCandidateRow& row = m_blocks[m_nStored / ROWS_PER_BLOCK][m_nStored % ROWS_PER_BLOCK];
    row.strPath = doc.CandidatePath;
    row.nReason = doc.CandidateReason;
    row.dSize = doc.CandidateSize;
    row.identity = doc.CandidateIdentity;
    row.bChecked = true;
    row.bListed = true;

    switch (row.nReason)
    {
    case REASON_EXTENSION:
        ++doc.ExtenCount;
        break;
    case REASON_ZERO_LENGTH:
        ++doc.ZeroCount;
        break;
    case REASON_DIRECTED:
        ++doc.DirectedCount;
        break;
    default:
        break;
    }
    if (row.nReason != REASON_ZERO_LENGTH)
        doc.TotalSize += row.dSize;

    const int nRow = GetRowCount();
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToInsert(nRow, nRow);
    ++m_nStored;
    m_listedPaths.Add(row.strPath);
    m_order.push_back(&row);
    CountRow(row, 1);
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsInserted(nRow, nRow);
    SetAck(doc.CandidateAck);
    return true;
}

void CCandidateTable::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToRemove(nRow, nRow);
    CountRow(*m_order[static_cast<size_t>(nRow)], -1);
    m_order[static_cast<size_t>(nRow)]->bListed = false;
    m_order.erase(m_order.begin() + nRow);
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsRemoved(nRow, nRow);
}

void CCandidateTable::SetChecked(int nRow, bool bChecked)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;
    SCandidateRow& row = *m_order[static_cast<size_t>(nRow)];
    if (row.bChecked == bChecked)
        return;
    CountRow(row, -1);
    row.bChecked = bChecked;
    CountRow(row, 1);
}

void CCandidateTable::SetAllChecked(bool bChecked)
{
    m_nChecked = 0;
    m_dCheckedBytes = 0;
    ForEachStoredRow(
        [&](SCandidateRow& row)
        {
            row.bChecked = bChecked;
            CountRow(row, 1);
        });
}

void CCandidateTable::InvertChecks()
{
    m_nChecked = 0;
    m_dCheckedBytes = 0;
    ForEachStoredRow(
        [&](SCandidateRow& row)
        {
            row.bChecked = !row.bChecked;
            CountRow(row, 1);
        });
}

std::string CCandidateTable::CheckedText() const
{
    return std::to_string(m_nChecked) + " checked, " + TotalText(m_dCheckedBytes);
}

void CCandidateTable::Sort(ESortColumn column, bool bDescending)
{
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToReorder();
    const int nDirection = bDescending ? -1 : 1;
    std::stable_sort(m_order.begin(), m_order.end(),
                     [column, nDirection](const SCandidateRow* pLeft, const SCandidateRow* pRight)
                     { return nDirection * CompareRows(*pLeft, *pRight, column) < 0; });
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsReordered();
}

void CCandidateTable::Clear()
{
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToReset();
    std::vector<SCandidateRow*>().swap(m_order);
    m_listedPaths.Clear();
    m_blocks.clear();
    m_nStored = 0;
    m_nChecked = 0;
    m_dCheckedBytes = 0;
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsReset();
}

std::string CCandidateTable::SizeText(double dSize, int32_t nReason)
{
    if (nReason == REASON_ZERO_LENGTH)
        return "0";
    if (dSize > 1000)
        return WholeNumber(dSize / 1000) + "K";
    return WholeNumber(dSize);
}

std::string CCandidateTable::TotalText(double dTotal)
{
    return WholeNumber(dTotal / 1000) + "K bytes";
}

const char* CCandidateTable::ReasonWord(int32_t nReason)
{
    switch (nReason)
    {
    case REASON_EXTENSION:
        return "Extension";
    case REASON_ZERO_LENGTH:
        return "Zero Length";
    case REASON_DIRECTED:
        return "Directed";
    default:
        return "";
    }
}

size_t CCandidateTable::BytesHeld() const
{
    return m_blocks.capacity() * sizeof(m_blocks[0]) +
           m_blocks.size() * ROWS_PER_BLOCK * sizeof(SCandidateRow) +
           m_order.capacity() * sizeof(SCandidateRow*) + m_listedPaths.BytesHeld();
}
