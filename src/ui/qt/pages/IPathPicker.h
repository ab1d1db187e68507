#pragma once

#include "ui/rules/SPathChoice.h"

#include <QString>
#include <string>

class QWidget;

// The dialogs through which the pages choose paths. Paths are in the
// program's Windows form ("C:\dir"). User-interface thread only; each call
// is modal, owned by pOwner (so it stays above the sheet), and returns when
// the user has chosen.
class IPathPicker
{
public:
    virtual ~IPathPicker() = default;
    // The folder browser, starting in strStartFolder (a folder that exists;
    // empty: the dialog's own choice).
    virtual SPathChoice BrowseForFolder(QWidget* pOwner, const QString& strTitle,
                                        const std::string& strStartFolder) = 0;
    // The file-open dialog, starting in strStartFolder with strInitialFile
    // chosen when it lies there; the file need not exist.
    virtual SPathChoice OpenFile(QWidget* pOwner, const std::string& strStartFolder,
                                 const std::string& strInitialFile) = 0;
};
