#include "ui/win32/app/CWindowResultsList.h"

#include "ui/win32/app/CResultsListView.h"
#include "ui/win32/app/UiThreadCall.h"

#include <algorithm>

CWindowResultsList::CWindowResultsList(std::function<HWND()> frame, CResultsListView& list,
                                       std::function<bool()> isVisible)
    : m_frame(std::move(frame)), m_list(list), m_isVisible(std::move(isVisible))
{
}

int CWindowResultsList::GetRowCount()
{
    int nCount = 0;
    CallOnUiThread(m_frame(), [&] { nCount = m_list.Table().GetRowCount(); });
    return nCount;
}

bool CWindowResultsList::IsInBlock(int nRow) const
{
    return nRow >= m_nBlockFirst && nRow < m_nBlockFirst + static_cast<int>(m_block.size()) &&
           m_list.CheckChanges() == m_nBlockCheckChanges &&
           std::chrono::steady_clock::now() - m_blockRead < BLOCK_MAX_AGE;
}

SResultsRow CWindowResultsList::GetRow(int nRow)
{
    if (!IsInBlock(nRow))
    {
        // The block ends at nRow: the pass goes on upwards from here.
        m_block.clear();
        m_nBlockFirst = std::max(0, nRow - BLOCK_ROWS + 1);
        CallOnUiThread(m_frame(),
                       [&]
                       {
                           ApplyDeletes();
                           m_nBlockCheckChanges = m_list.CheckChanges();
                           const CCandidateTable& table = m_list.Table();
                           const int nEnd = std::min(nRow + 1, table.GetRowCount());
                           for (int n = m_nBlockFirst; n < nEnd; ++n)
                           {
                               const SCandidateRow& row = table.Rows()[static_cast<size_t>(n)];
                               m_block.push_back({row.strPath, row.bChecked, row.identity});
                           }
                       });
        m_blockRead = std::chrono::steady_clock::now();
    }
    if (nRow < m_nBlockFirst || nRow >= m_nBlockFirst + static_cast<int>(m_block.size()))
        return {};
    return m_block[static_cast<size_t>(nRow - m_nBlockFirst)];
}

void CWindowResultsList::DeleteRow(int nRow)
{
    m_pendingDeletes.push_back(nRow);
}

void CWindowResultsList::CommitDeletes()
{
    if (!m_pendingDeletes.empty())
        CallOnUiThread(m_frame(), [this] { ApplyDeletes(); });
    m_block.clear();
}

void CWindowResultsList::ApplyDeletes()
{
    for (int nRow : m_pendingDeletes)
        m_list.RemoveRow(nRow);
    m_pendingDeletes.clear();
}

bool CWindowResultsList::IsWindowVisible()
{
    bool bVisible = false;
    CallOnUiThread(m_frame(), [&] { bVisible = m_isVisible(); });
    return bVisible;
}
