#pragma once

#include "IPathPicker.h"

// The shell's folder browser (SHBrowseForFolderW, rooted at the desktop) and
// the common file-open dialog (GetOpenFileNameW, read-only box hidden, long
// names, explorer style). Program paths go through the drive table
// (SCRUBIX_DRIVES): the dialogs see the folders behind the drive letters and
// a choice comes back in the program's form, or without one when it lies on
// no drive. Paths cross the wide calls through the ANSI code page, the form
// the backend's A calls use.
class CWin32PathPicker : public IPathPicker
{
public:
    SPathChoice BrowseForFolder(HWND hOwner, const std::string& strTitle,
                                const std::string& strStartFolder) override;
    SPathChoice OpenFile(HWND hOwner, const std::string& strStartFolder,
                         const std::string& strInitialFile) override;
};
