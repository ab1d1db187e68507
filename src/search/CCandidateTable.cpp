#include "search/CCandidateTable.h"

#include "search/ICandidateTableObserver.h"
#include "settings/CScrubixDoc.h"

#include <atomic>

namespace
{
// "%d" of a byte count truncated towards zero; wide enough for any size a
// double can carry without the int wrap of the original.
std::string WholeNumber(double dValue)
{
    return std::to_string(static_cast<long long>(dValue));
}
} // namespace

bool CCandidateTable::AddCandidateRow(CScrubixDoc& doc)
{
    if (m_listedPaths.Contains(doc.CandidatePath))
    {
        doc.CandidateAck.store(1, std::memory_order_release);
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
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsInserted(nRow, nRow);
    doc.CandidateAck.store(1, std::memory_order_release);
    return true;
}

void CCandidateTable::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToRemove(nRow, nRow);
    m_order.erase(m_order.begin() + nRow);
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsRemoved(nRow, nRow);
}

void CCandidateTable::SetChecked(int nRow, bool bChecked)
{
    if (nRow >= 0 && nRow < GetRowCount())
        m_order[static_cast<size_t>(nRow)]->bChecked = bChecked;
}

void CCandidateTable::Clear()
{
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToReset();
    std::vector<SCandidateRow*>().swap(m_order);
    m_listedPaths.Clear();
    m_blocks.clear();
    m_nStored = 0;
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
