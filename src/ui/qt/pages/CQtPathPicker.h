#pragma once

#include "IPathPicker.h"

// The path dialogs as QFileDialog (Qt's own widgets, the same on every
// desktop), translating between host paths and the drive map's Windows form.
class CQtPathPicker : public IPathPicker
{
public:
    SPathChoice BrowseForFolder(QWidget* pOwner, const QString& strTitle,
                                const std::string& strStartFolder) override;
    SPathChoice OpenFile(QWidget* pOwner, const std::string& strStartFolder,
                         const std::string& strInitialFile) override;
};
