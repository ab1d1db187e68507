#pragma once

#include "platform/IResultsList.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>
#include <windows.h>

class CResultsListView;

// The disposing thread's view of the results list in the window. Every call
// that reaches the list runs on the user-interface thread (CallOnUiThread
// through the frame) and blocks only the calling worker.
//
// A row-by-row round trip costs more than purging a file, so the disposing
// thread reads the rows in blocks and hands the removals back in the same
// calls: a block is read together with the removals made since the last one,
// and it is read anew whenever a check box has changed meanwhile (the user
// may uncheck a row that the pass has not reached) or it is older than
// BLOCK_MAX_AGE. The removals reach the list at the latest with the next
// block or with CommitDeletes.
class CWindowResultsList : public IResultsList
{
public:
    // frame: the frame's window, which outlives every pass; isVisible: the
    // frame's visibility, asked on the user-interface thread.
    CWindowResultsList(std::function<HWND()> frame, CResultsListView& list,
                       std::function<bool()> isVisible);

    int GetRowCount() override;
    SResultsRow GetRow(int nRow) override;
    void DeleteRow(int nRow) override;
    void CommitDeletes() override;
    bool IsWindowVisible() override;

    static constexpr int BLOCK_ROWS = 64;
    static constexpr std::chrono::milliseconds BLOCK_MAX_AGE{50};

private:
    // On the user-interface thread: the removals handed back, in their order.
    void ApplyDeletes();
    bool IsInBlock(int nRow) const;

    std::function<HWND()> m_frame;
    CResultsListView& m_list;
    std::function<bool()> m_isVisible;

    // The disposing thread's side (read and written only while it runs or
    // while it waits in a call on the user-interface thread).
    std::vector<SResultsRow> m_block; // rows m_nBlockFirst, m_nBlockFirst + 1, ...
    int m_nBlockFirst = 0;
    uint64_t m_nBlockCheckChanges = 0;
    std::chrono::steady_clock::time_point m_blockRead;
    std::vector<int> m_pendingDeletes;
};
