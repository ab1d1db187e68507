#pragma once

#include "COptionsPage.h"

// The Age page: "Only files not changed for at least" and a spin box of days
// (an EDIT taking digits only with an up-down control as its buddy, 1 to
// 3650), the one setting MinAge (0 while the box is clear). The days are
// greyed while the box is clear; while it is ticked the page cannot be left
// (another tab, or OK) with days typed outside the range.
class CAgePage : public COptionsPage
{
public:
    explicit CAgePage(SPageContext& context);

    bool OnKillActive() override;
    void OnOK() override { StoreControls(); }

    // The up-down control beside the days (null before the page is created).
    HWND SpinControl() const { return m_hSpin; }

protected:
    void OnInitPage() override;
    void OnCommand(int32_t nControlId, UINT nCode) override;

private:
    void LoadControls();
    void StoreControls();
    void ApplyEnabling();

    HWND m_hSpin = nullptr;
    // The days last shown or accepted, kept while the typed text is not a
    // valid number.
    int32_t m_nShownDays = 0;
};
