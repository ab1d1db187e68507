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
    if (!m_listedPaths.insert(doc.CandidatePath).second)
    {
        doc.CandidateAck.store(1, std::memory_order_release);
        return false;
    }

    SCandidateRow row;
    row.strPath = doc.CandidatePath;
    row.nReason = doc.CandidateReason;
    row.dSize = doc.CandidateSize;
    row.identity = doc.CandidateIdentity;

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
    m_rows.push_back(std::move(row));
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
    m_rows.erase(m_rows.begin() + nRow);
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsRemoved(nRow, nRow);
}

void CCandidateTable::SetChecked(int nRow, bool bChecked)
{
    if (nRow >= 0 && nRow < GetRowCount())
        m_rows[static_cast<size_t>(nRow)].bChecked = bChecked;
}

void CCandidateTable::Clear()
{
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToReset();
    m_rows.clear();
    m_listedPaths.clear();
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
