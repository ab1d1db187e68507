#include "CAgePage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/AgePageRules.h"
#include "ui/rules/IMessageBox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSpinBox>

CAgePage::CAgePage(SPageContext& context, QWidget* pParent)
    : CSettingPage(IDD_AGE_PAGE, {}, context, pParent)
{
}

QSpinBox* CAgePage::DaysBox() const
{
    return ControlAs<QSpinBox>(IDC_AGE_DAYS);
}

void CAgePage::AddFactories(CTemplateBuilder& builder)
{
    builder.SetFactory(IDC_AGE_DAYS,
                       [](QWidget* pParent, const SControlTemplate& /*control*/) -> QWidget*
                       {
                           auto* pSpin = new QSpinBox(pParent);
                           pSpin->setRange(AGE_DAYS_LOWEST, AGE_DAYS_HIGHEST);
                           // The typed text is checked when the page is
                           // left, not corrected behind the user's back.
                           pSpin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
                           pSpin->setKeyboardTracking(false);
                           return pSpin;
                       });
}

void CAgePage::OnInitPage()
{
    CSettingPage::OnInitPage();
    // The number field inside the spin box answers to the box's own name.
    DaysBox()->findChild<QLineEdit*>()->setAccessibleName(DaysBox()->accessibleName());
    connect(ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD), &QAbstractButton::toggled, this,
            &CAgePage::ApplyEnabling);
    ApplyEnabling();
}

void CAgePage::LoadControls()
{
    const SAgeControls controls = AgeControlsFor(Values().MinAge);
    ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD)->setChecked(controls.bOnlyOld);
    DaysBox()->setValue(controls.nDays);
    m_nShownDays = controls.nDays;
}

void CAgePage::StoreControls()
{
    const bool bOnlyOld = ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD)->isChecked();
    int32_t nDays = m_nShownDays;
    CheckAgeDays(bOnlyOld, DaysBox()->cleanText().toStdString(), nDays);
    m_nShownDays = nDays;
    Values().MinAge = MinAgeFrom({bOnlyOld, nDays});
}

void CAgePage::ApplyEnabling()
{
    const bool bOnlyOld = ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD)->isChecked();
    DaysBox()->setEnabled(IsAgeDaysEnabled(bOnlyOld));
    Control(IDC_AGE_DAYS_LABEL)->setEnabled(IsAgeDaysEnabled(bOnlyOld));
}

bool CAgePage::OnKillActive()
{
    const bool bOnlyOld = ControlAs<QAbstractButton>(IDC_AGE_ONLY_OLD)->isChecked();
    int32_t nDays = m_nShownDays;
    const std::optional<SPrompt> refusal =
        CheckAgeDays(bOnlyOld, DaysBox()->cleanText().toStdString(), nDays);
    if (refusal)
    {
        Context().messageBox.Show(*refusal);
        DaysBox()->setFocus();
        return false;
    }
    StoreControls();
    return true;
}
