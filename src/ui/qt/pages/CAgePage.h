#pragma once

#include "CSettingPage.h"

class QSpinBox;

// The Age page: "Only files not changed for at least" and a spin box of days
// (1 to 3650), the one setting MinAge (0 while the box is clear). The days
// are greyed while the box is clear; while it is ticked the page cannot be
// left (another tab, or OK) with days typed outside the range.
class CAgePage : public CSettingPage
{
    Q_OBJECT

public:
    explicit CAgePage(SPageContext& context, QWidget* pParent = nullptr);

    bool OnKillActive() override;

    // The days box (null before the page is created).
    QSpinBox* DaysBox() const;

protected:
    void AddFactories(CTemplateBuilder& builder) override;
    void OnInitPage() override;
    void LoadControls() override;
    void StoreControls() override;

private:
    void ApplyEnabling();
    // The days the box holds now, when its text is a valid number in range.
    int32_t m_nShownDays = 0;
};
