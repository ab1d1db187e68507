#pragma once

#include "ui/rules/SPathChoice.h"

#include <string>
#include <windows.h>

// The dialogs through which the pages choose paths. Paths are in the
// program's Windows form ("C:\dir"), in the ANSI code page as the backend
// keeps them. User-interface thread only; each call is modal, owned by
// hOwner (so it stays above the sheet), and returns when the user has chosen.
class IPathPicker
{
public:
    virtual ~IPathPicker() = default;
    // The folder browser titled strTitle (UTF-8), starting in strStartFolder
    // (a folder that exists; empty: the dialog's own choice).
    virtual SPathChoice BrowseForFolder(HWND hOwner, const std::string& strTitle,
                                        const std::string& strStartFolder) = 0;
    // The file-open dialog, filter "All Files (*.*)", starting in
    // strStartFolder with strInitialFile chosen when it lies there; the file
    // need not exist.
    virtual SPathChoice OpenFile(HWND hOwner, const std::string& strStartFolder,
                                 const std::string& strInitialFile) = 0;
};
