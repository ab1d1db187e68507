#include "search/CCandidateTable.h"

#include "search/ICandidateTableObserver.h"
#include "search/WaitForAck.h"
#include "settings/CScrubixDoc.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string_view>

namespace
{
// "%d" of a byte count truncated towards zero; wide enough for any size a
// double can carry without the int wrap of the original.
std::string WholeNumber(double dValue)
{
    return std::to_string(static_cast<long long>(dValue));
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

namespace
{
// One row of a sort: its key, its place before the sort (the last tie-break,
// which makes the order stable), and the row.
struct SPathKey
{
    size_t nOffset; // of the case-folded path in the keys' text
    uint32_t nLength;
    uint32_t nIndex;
    SCandidateRow* pRow;
};

struct SNumberKey
{
    double dKey;
    uint32_t nIndex;
    SCandidateRow* pRow;
};

unsigned char FoldAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Path order: ASCII letter case ignored first, then bytes, so "a" and "A" sit
// together but still have a fixed order. Every row's case-folded path is made
// once, into one block of text: the folded texts compare as bytes, then the
// paths themselves.
void SortByPath(std::vector<SCandidateRow*>& order, int nDirection)
{
    size_t nText = 0;
    for (const SCandidateRow* pRow : order)
        nText += pRow->strPath.size();
    std::string strText(nText, '\0');
    std::vector<SPathKey> keys;
    keys.reserve(order.size());
    size_t nAt = 0;
    for (size_t i = 0; i < order.size(); ++i)
    {
        const std::string& strPath = order[i]->strPath;
        for (size_t n = 0; n < strPath.size(); ++n)
            strText[nAt + n] = static_cast<char>(FoldAscii(static_cast<unsigned char>(strPath[n])));
        keys.push_back(
            {nAt, static_cast<uint32_t>(strPath.size()), static_cast<uint32_t>(i), order[i]});
        nAt += strPath.size();
    }
    const char* pText = strText.data();
    std::sort(keys.begin(), keys.end(),
              [pText, nDirection](const SPathKey& left, const SPathKey& right)
              {
                  const std::string_view strLeft(pText + left.nOffset, left.nLength);
                  const std::string_view strRight(pText + right.nOffset, right.nLength);
                  int nOrder = strLeft.compare(strRight);
                  if (nOrder == 0)
                      nOrder = left.pRow->strPath.compare(right.pRow->strPath);
                  if (nOrder != 0)
                      return nDirection * nOrder < 0;
                  return left.nIndex < right.nIndex;
              });
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].pRow;
}

// Reason and size order: a number a row, read once.
template <typename FKey>
void SortByNumber(std::vector<SCandidateRow*>& order, int nDirection, FKey key)
{
    std::vector<SNumberKey> keys;
    keys.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        keys.push_back({key(*order[i]), static_cast<uint32_t>(i), order[i]});
    std::sort(keys.begin(), keys.end(),
              [nDirection](const SNumberKey& left, const SNumberKey& right)
              {
                  if (left.dKey != right.dKey)
                      return nDirection > 0 ? left.dKey < right.dKey : right.dKey < left.dKey;
                  return left.nIndex < right.nIndex;
              });
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].pRow;
}

// The reasons' places in the order of their words as text.
double ReasonRank(int32_t nReason)
{
    static const int32_t REASONS[] = {0, REASON_EXTENSION, REASON_ZERO_LENGTH, REASON_DIRECTED};
    int nRank = 0;
    for (int32_t nOther : REASONS)
    {
        if (std::strcmp(CCandidateTable::ReasonWord(nOther), CCandidateTable::ReasonWord(nReason)) <
            0)
            ++nRank;
    }
    return nRank;
}
} // namespace

void CCandidateTable::Sort(ESortColumn column, bool bDescending)
{
    if (m_pObserver != nullptr)
        m_pObserver->OnRowsAboutToReorder();
    const int nDirection = bDescending ? -1 : 1;
    switch (column)
    {
    case ESortColumn::Path:
        SortByPath(m_order, nDirection);
        break;
    case ESortColumn::Reason:
    {
        double ranks[4] = {};
        for (int32_t nReason = 0; nReason < 4; ++nReason)
            ranks[nReason] = ReasonRank(nReason);
        SortByNumber(m_order, nDirection,
                     [&ranks](const SCandidateRow& row)
                     { return row.nReason >= 0 && row.nReason < 4 ? ranks[row.nReason] : 0.0; });
        break;
    }
    case ESortColumn::Size:
        SortByNumber(m_order, nDirection, [](const SCandidateRow& row) { return row.dSize; });
        break;
    }
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
