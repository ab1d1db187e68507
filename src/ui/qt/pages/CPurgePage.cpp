#include "CPurgePage.h"

#include "IPathPicker.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/IMessageBox.h"
#include "ui/rules/SettingPageRules.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_PURGE_MOVE, 2, &SOptionsValues::Move},
    {IDC_PURGE_RECYCLE, 2, &SOptionsValues::RecycleRadio},
    {IDC_PURGE_OVERWRITE, 0, &SOptionsValues::Overwrite},
    {IDC_PURGE_WARN, 0, &SOptionsValues::WarnMe},
};
} // namespace

CPurgePage::CPurgePage(SPageContext& context, QWidget* pParent)
    : CSettingPage(IDD_PURGE_PAGE, kBindings, context, pParent)
{
}

QString CPurgePage::BrowseTitle()
{
    return QStringLiteral("Folder where files will be moved");
}

void CPurgePage::OnInitPage()
{
    CSettingPage::OnInitPage();
    for (int32_t nId : {IDC_PURGE_MOVE, IDC_PURGE_PURGE, IDC_PURGE_RECYCLE, IDC_PURGE_DESTINATION})
    {
        connect(ControlAs<QAbstractButton>(nId), &QAbstractButton::clicked, this,
                [this]
                {
                    StoreControls();
                    ApplyEnabling();
                });
    }
    connect(ControlAs<QAbstractButton>(IDC_PURGE_BROWSE), &QAbstractButton::clicked, this,
            &CPurgePage::OnBrowse);
    ApplyEnabling();
}

void CPurgePage::LoadControls()
{
    CSettingPage::LoadControls();
    ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->setText(QString::fromStdString(Values().MovePath));
}

void CPurgePage::StoreControls()
{
    CSettingPage::StoreControls();
    Values().MovePath = ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->text().toStdString();
}

void CPurgePage::ApplyEnabling()
{
    const SPurgeMoveEnabling enabling = PurgeMoveEnabling(Values().Move, Values().RecycleRadio);
    Control(IDC_PURGE_RECYCLE)->setEnabled(enabling.bWhereToMove);
    Control(IDC_PURGE_DESTINATION)->setEnabled(enabling.bWhereToMove);
    Control(IDC_PURGE_DESTINATION_LABEL)->setEnabled(enabling.bDestination);
    Control(IDC_PURGE_MOVE_PATH)->setEnabled(enabling.bDestination);
    Control(IDC_PURGE_BROWSE)->setEnabled(enabling.bDestination);
    Control(IDC_PURGE_OVERWRITE)->setEnabled(enabling.bOverwrite);
    Control(IDC_PURGE_WARN)->setEnabled(enabling.bWarnBeforePurge);
}

void CPurgePage::OnBrowse()
{
    // Starts at the folder in the field, else at the remembered drive's root.
    // Only the folder changes; every other control keeps what the user set.
    auto* pEdit = ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH);
    if (const std::optional<std::string> folder = TakeChoice(Context().pathPicker.BrowseForFolder(
            this, BrowseTitle(), PickerStart({pEdit->text().toStdString()}))))
        pEdit->setText(QString::fromUtf8(folder->data(), static_cast<qsizetype>(folder->size())));
}

bool CPurgePage::OnKillActive()
{
    StoreControls();
    // A host path typed on a drive is kept, and shown, in its drive form.
    const std::string strDriveForm = ToDriveForm(Values().MovePath, Context().doc.FileSystem());
    if (strDriveForm != Values().MovePath)
    {
        Values().MovePath = strDriveForm;
        LoadControls();
    }
    const std::optional<SPrompt> refusal = CheckDestinationFolder(
        Values().Move, Values().RecycleRadio, Values().MovePath, Context().doc.FileSystem());
    if (!refusal)
        return true;
    Context().messageBox.Show(*refusal);
    return false;
}
