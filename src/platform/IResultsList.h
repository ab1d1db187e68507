#pragma once

#include "platform/FileTypes.h"

#include <string>

// One result row as the disposing thread reads it.
struct SResultsRow
{
    std::string strPath; // empty when the row does not exist
    // A row is checked when its state image is not 1 (the unchecked box).
    bool bChecked = false;
    SFileIdentity identity; // the file as the search saw it (unknown when none)
};

// The disposing thread's synchronous view of the result rows. Each call runs
// on the user-interface thread and returns when done; the disposing thread
// takes the rows from the bottom up, so a deleted row never moves a row it
// has still to read.
class IResultsList
{
public:
    virtual ~IResultsList() = default;
    virtual int GetRowCount() = 0;
    virtual SResultsRow GetRow(int nRow) = 0;
    // Removes the row. A list may defer the removal, but the row is gone
    // before any later call reads rows and once CommitDeletes returns.
    virtual void DeleteRow(int nRow) = 0;
    // Carries out every deferred removal; called at the end of each pass.
    virtual void CommitDeletes() {}
    // Whether the main window is visible (invisible-mode rules).
    virtual bool IsWindowVisible() = 0;
};
