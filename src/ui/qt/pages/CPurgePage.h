#pragma once

#include "CSettingPage.h"

// The Purge/Move page: purge or move, where to move (Recycle Bin or a
// destination folder, with Browse), overwriting at the destination, and the
// warning before a purge. The controls that do not apply to the current
// choice are greyed. While moving to a destination folder the page cannot be
// left (another tab, or OK) unless the folder exists and is accessible.
class CPurgePage : public CSettingPage
{
    Q_OBJECT

public:
    explicit CPurgePage(SPageContext& context, QWidget* pParent = nullptr);

    bool OnKillActive() override;

    static QString BrowseTitle();

protected:
    void OnInitPage() override;
    void LoadControls() override;
    void StoreControls() override;

private:
    void ApplyEnabling();
    void OnBrowse();
};
