#include "search/CCandidateTable.h"

#include "search/ICandidateTableObserver.h"
#include "search/WaitForAck.h"
#include "settings/CScrubixDoc.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>

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
    row.nModified = doc.CandidateModified;
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
// One row of a path sort: the eight bytes of its case-folded path at the
// depth being sorted on, and the row.
struct SPathKey
{
    uint64_t nChunk;
    uint32_t nChunkLength; // bytes of the path in nChunk (below 8: it ends there)
    uint32_t nLength;
    const char* pPath;
    SCandidateRow* pRow;
};

// One row of a number sort: its key, its place before the sort (the last
// tie-break, which keeps the order of equal rows), and the row.
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
// together but still have a fixed order. The keys are sorted eight
// case-folded bytes at a time from the front (most significant first): a run
// of rows that agree so far is sorted on its next eight bytes only, each
// folded once as it is read, so long shared prefixes cost a read per row
// rather than a comparison of whole paths. Rows whose folded paths are equal
// go by the paths' own bytes. No two rows have the same path, so the order
// is total: a descending sort is the ascending one reversed, and the order
// the rows had does not matter.
class CPathSorter
{
public:
    explicit CPathSorter(size_t nRows) { m_keys.reserve(nRows); }

    // In any order; best in memory order, as the first pass reads them so.
    void Add(SCandidateRow& row)
    {
        m_keys.push_back(
            {0, 0, static_cast<uint32_t>(row.strPath.size()), row.strPath.data(), &row});
    }

    void Sort(std::vector<SCandidateRow*>& order, bool bDescending)
    {
        SortRange(0, m_keys.size(), 0);
        if (bDescending)
            std::reverse(m_keys.begin(), m_keys.end());
        for (size_t i = 0; i < m_keys.size(); ++i)
            order[i] = m_keys[i].pRow;
    }

private:
    static constexpr size_t SMALL_RANGE = 16;

    void LoadChunk(SPathKey& key, size_t nDepth) const
    {
        const size_t nLeft = key.nLength > nDepth ? key.nLength - nDepth : 0;
        const size_t nTake = std::min<size_t>(nLeft, 8);
        uint64_t nChunk = 0;
        const auto* pBytes = reinterpret_cast<const unsigned char*>(key.pPath + nDepth);
        for (size_t n = 0; n < nTake; ++n)
            nChunk |= static_cast<uint64_t>(FoldAscii(pBytes[n])) << (56 - 8 * n);
        key.nChunk = nChunk;
        key.nChunkLength = static_cast<uint32_t>(nTake);
    }

    // The whole comparison from nDepth on: folded bytes, then the path.
    static bool Less(const SPathKey& left, const SPathKey& right, size_t nDepth)
    {
        const size_t nCommon = std::min(left.nLength, right.nLength);
        for (size_t n = nDepth; n < nCommon; ++n)
        {
            const unsigned char cLeft = FoldAscii(static_cast<unsigned char>(left.pPath[n]));
            const unsigned char cRight = FoldAscii(static_cast<unsigned char>(right.pPath[n]));
            if (cLeft != cRight)
                return cLeft < cRight;
        }
        if (left.nLength != right.nLength)
            return left.nLength < right.nLength;
        return left.pRow->strPath < right.pRow->strPath;
    }

    // Sorts m_keys[nBegin, nEnd), whose folded paths agree on their first
    // nDepth bytes (and each is at least that long).
    void SortRange(size_t nBegin, size_t nEnd, size_t nDepth)
    {
        for (;;)
        {
            if (nEnd - nBegin < 2)
                return;
            const auto begin = m_keys.begin() + static_cast<std::ptrdiff_t>(nBegin);
            const auto end = m_keys.begin() + static_cast<std::ptrdiff_t>(nEnd);
            if (nEnd - nBegin <= SMALL_RANGE)
            {
                std::sort(begin, end,
                          [nDepth](const SPathKey& left, const SPathKey& right)
                          { return Less(left, right, nDepth); });
                return;
            }
            bool bAllAgree = true;
            for (auto it = begin; it != end; ++it)
            {
                LoadChunk(*it, nDepth);
                bAllAgree = bAllAgree && it->nChunk == begin->nChunk &&
                            it->nChunkLength == begin->nChunkLength;
            }
            if (bAllAgree)
            {
                if (begin->nChunkLength < 8)
                {
                    // Equal folded paths: by their own bytes.
                    std::sort(begin, end,
                              [](const SPathKey& left, const SPathKey& right)
                              { return left.pRow->strPath < right.pRow->strPath; });
                    return;
                }
                nDepth += 8; // a shared stretch: on to the next eight bytes
                continue;
            }
            std::sort(begin, end,
                      [](const SPathKey& left, const SPathKey& right)
                      {
                          return left.nChunk != right.nChunk
                                     ? left.nChunk < right.nChunk
                                     : left.nChunkLength < right.nChunkLength;
                      });
            size_t nRun = nBegin;
            while (nRun < nEnd)
            {
                size_t nRunEnd = nRun + 1;
                while (nRunEnd < nEnd && m_keys[nRunEnd].nChunk == m_keys[nRun].nChunk &&
                       m_keys[nRunEnd].nChunkLength == m_keys[nRun].nChunkLength)
                    ++nRunEnd;
                SortRun(nRun, nRunEnd, nDepth);
                nRun = nRunEnd;
            }
            return;
        }
    }

    // A run that agrees on the eight bytes at nDepth.
    void SortRun(size_t nBegin, size_t nEnd, size_t nDepth)
    {
        if (nEnd - nBegin < 2)
            return;
        if (m_keys[nBegin].nChunkLength < 8)
        {
            const auto begin = m_keys.begin() + static_cast<std::ptrdiff_t>(nBegin);
            const auto end = m_keys.begin() + static_cast<std::ptrdiff_t>(nEnd);
            std::sort(begin, end,
                      [](const SPathKey& left, const SPathKey& right)
                      { return left.pRow->strPath < right.pRow->strPath; });
            return;
        }
        SortRange(nBegin, nEnd, nDepth + 8);
    }

    std::vector<SPathKey> m_keys;
};

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
    {
        CPathSorter sorter(m_order.size());
        ForEachStoredRow([&sorter](SCandidateRow& row) { sorter.Add(row); });
        sorter.Sort(m_order, bDescending);
        break;
    }
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
    case ESortColumn::Modified:
        // Exact as a double for every time within 285 million years of 1970.
        SortByNumber(m_order, nDirection,
                     [](const SCandidateRow& row) { return static_cast<double>(row.nModified); });
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

std::string CCandidateTable::ModifiedText(int64_t nModified)
{
    if (nModified == UNKNOWN_UNIX_TIME)
        return {};
    const auto nTime = static_cast<std::time_t>(nModified);
    if (static_cast<int64_t>(nTime) != nModified)
        return {};
    const std::tm* pLocal = std::localtime(&nTime);
    if (pLocal == nullptr)
        return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", pLocal->tm_year + 1900,
                  pLocal->tm_mon + 1, pLocal->tm_mday, pLocal->tm_hour, pLocal->tm_min);
    return text;
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
