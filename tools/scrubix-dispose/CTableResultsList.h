#pragma once

#include "platform/IResultsList.h"
#include "search/CCandidateTable.h"

// The results list of a window that is never shown, over the candidate table.
// The disposing thread is its only user while a pass runs.
class CTableResultsList : public IResultsList
{
public:
    explicit CTableResultsList(CCandidateTable& table) : m_table(table) {}

    int GetRowCount() override { return m_table.GetRowCount(); }
    SResultsRow GetRow(int nRow) override
    {
        const SCandidateRow& row = m_table.Rows()[nRow];
        return {row.strPath, row.bChecked, row.identity};
    }
    void DeleteRow(int nRow) override { m_table.DeleteRow(nRow); }
    bool IsWindowVisible() override { return false; }

private:
    CCandidateTable& m_table;
};
