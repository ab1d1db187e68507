#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

// The dialogs through which the pages choose paths. Paths are in the
// program's Windows form ("C:\dir"). User-interface thread only; each call
// is modal and returns when the user has chosen.
class IPathPicker
{
public:
    virtual ~IPathPicker() = default;
    // The folder browser, owned by pOwner, starting at the desktop. nullopt
    // when cancelled or when the chosen folder lies on no drive.
    virtual std::optional<std::string> BrowseForFolder(QWidget* pOwner,
                                                       const QString& strTitle) = 0;
    // The file-open dialog, without an owner, starting at strInitialFile; the
    // file need not exist. nullopt when cancelled or off every drive.
    virtual std::optional<std::string> OpenFile(const std::string& strInitialFile) = 0;
};
