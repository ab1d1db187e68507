#pragma once

#include "CSettingPage.h"

// The Purge/Move page: purge or move, where to move (Recycle Bin or a
// destination folder, with Browse), overwriting at the destination, and the
// warning before a purge. The controls that do not apply to the current
// choice are greyed. While moving to a destination folder the page cannot be
// left (another tab, or OK) unless the folder exists and is accessible.
class CPurgePage : public CSettingPage
{
public:
    explicit CPurgePage(SPageContext& context);

    bool OnKillActive() override;

    static const char* BrowseTitle();

protected:
    void OnInitPage() override;
    void OnClicked(int32_t nControlId) override;
    void LoadControls() override;
    void StoreControls() override;

private:
    void ApplyEnabling();
    void OnBrowse();
};
