#include "app/CWindowResultsList.h"

#include "app/CResultsModel.h"
#include "app/UiThreadCall.h"

CWindowResultsList::CWindowResultsList(QObject* pContext, CResultsModel& model,
                                       std::function<bool()> isVisible)
    : m_pContext(pContext), m_model(model), m_isVisible(std::move(isVisible))
{
}

int CWindowResultsList::GetRowCount()
{
    int nCount = 0;
    CallOnUiThread(m_pContext, [&] { nCount = m_model.Table().GetRowCount(); });
    return nCount;
}

std::string CWindowResultsList::GetRowPath(int nRow)
{
    std::string strPath;
    CallOnUiThread(m_pContext,
                   [&]
                   {
                       const CCandidateTable& table = m_model.Table();
                       if (nRow >= 0 && nRow < table.GetRowCount())
                           strPath = table.Rows()[static_cast<size_t>(nRow)].strPath;
                   });
    return strPath;
}

bool CWindowResultsList::IsRowChecked(int nRow)
{
    bool bChecked = false;
    CallOnUiThread(m_pContext, [&] { bChecked = m_model.IsRowChecked(nRow); });
    return bChecked;
}

SFileIdentity CWindowResultsList::GetRowIdentity(int nRow)
{
    SFileIdentity identity;
    CallOnUiThread(m_pContext,
                   [&]
                   {
                       const CCandidateTable& table = m_model.Table();
                       if (nRow >= 0 && nRow < table.GetRowCount())
                           identity = table.Rows()[static_cast<size_t>(nRow)].identity;
                   });
    return identity;
}

void CWindowResultsList::DeleteRow(int nRow)
{
    CallOnUiThread(m_pContext, [&] { m_model.RemoveRow(nRow); });
}

bool CWindowResultsList::IsWindowVisible()
{
    bool bVisible = false;
    CallOnUiThread(m_pContext, [&] { bVisible = m_isVisible(); });
    return bVisible;
}
