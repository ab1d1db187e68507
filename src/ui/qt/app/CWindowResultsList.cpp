#include "ui/qt/app/CWindowResultsList.h"

#include "ui/qt/app/CResultsModel.h"
#include "ui/qt/app/UiThreadCall.h"

#include <algorithm>

CWindowResultsList::CWindowResultsList(QObject* pContext, CResultsModel& model,
                                       std::function<bool()> isVisible)
    : m_pContext(pContext), m_model(model), m_isVisible(std::move(isVisible))
{
    QObject::connect(&m_model, &CResultsModel::CheckedCountsChanged, pContext,
                     [this] { m_nCheckChanges.fetch_add(1, std::memory_order_release); });
}

int CWindowResultsList::GetRowCount()
{
    int nCount = 0;
    CallOnUiThread(m_pContext, [&] { nCount = m_model.Table().GetRowCount(); });
    return nCount;
}

bool CWindowResultsList::IsInBlock(int nRow) const
{
    return nRow >= m_nBlockFirst && nRow < m_nBlockFirst + static_cast<int>(m_block.size()) &&
           m_nCheckChanges.load(std::memory_order_acquire) == m_nBlockCheckChanges &&
           std::chrono::steady_clock::now() - m_blockRead < BLOCK_MAX_AGE;
}

SResultsRow CWindowResultsList::GetRow(int nRow)
{
    if (!IsInBlock(nRow))
    {
        // The block ends at nRow: the pass goes on upwards from here.
        m_block.clear();
        m_nBlockFirst = std::max(0, nRow - BLOCK_ROWS + 1);
        CallOnUiThread(
            m_pContext,
            [&]
            {
                ApplyDeletes();
                m_nBlockCheckChanges = m_nCheckChanges.load(std::memory_order_relaxed);
                const CCandidateTable& table = m_model.Table();
                const int nEnd = std::min(nRow + 1, table.GetRowCount());
                for (int n = m_nBlockFirst; n < nEnd; ++n)
                {
                    const SCandidateRow& row = table.Rows()[static_cast<size_t>(n)];
                    m_block.push_back({row.strPath, m_model.IsRowChecked(n), row.identity});
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
        CallOnUiThread(m_pContext, [this] { ApplyDeletes(); });
    m_block.clear();
}

void CWindowResultsList::ApplyDeletes()
{
    for (int nRow : m_pendingDeletes)
        m_model.RemoveRow(nRow);
    m_pendingDeletes.clear();
}

bool CWindowResultsList::IsWindowVisible()
{
    bool bVisible = false;
    CallOnUiThread(m_pContext, [&] { bVisible = m_isVisible(); });
    return bVisible;
}
