#pragma once

#include "IPathPicker.h"

// The path dialogs as QFileDialog (Qt's own widgets, the same on every
// desktop), translating between host paths and the drive map's Windows form.
class CQtPathPicker : public IPathPicker
{
public:
    std::optional<std::string> BrowseForFolder(QWidget* pOwner, const QString& strTitle) override;
    std::optional<std::string> OpenFile(const std::string& strInitialFile) override;
};
