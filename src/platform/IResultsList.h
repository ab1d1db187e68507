#pragma once

#include "platform/FileTypes.h"

#include <string>

// The disposing thread's synchronous view of the result rows. Each call runs
// on the user-interface thread and returns when done.
class IResultsList
{
public:
    virtual ~IResultsList() = default;
    virtual int GetRowCount() = 0;
    virtual std::string GetRowPath(int nRow) = 0;
    // A row is checked when its state image is not 1 (the unchecked box).
    virtual bool IsRowChecked(int nRow) = 0;
    // The identity the search saw for the row's file (unknown when none).
    virtual SFileIdentity GetRowIdentity(int nRow) = 0;
    virtual void DeleteRow(int nRow) = 0;
    // Whether the main window is visible (invisible-mode rules).
    virtual bool IsWindowVisible() = 0;
};
