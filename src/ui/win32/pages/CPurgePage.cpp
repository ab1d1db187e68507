#include "CPurgePage.h"

#include "IPathPicker.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/IMessageBox.h"
#include "ui/rules/SettingPageRules.h"

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_PURGE_MOVE, 2, &SOptionsValues::Move},
    {IDC_PURGE_RECYCLE, 2, &SOptionsValues::RecycleRadio},
    {IDC_PURGE_OVERWRITE, 0, &SOptionsValues::Overwrite},
    {IDC_PURGE_WARN, 0, &SOptionsValues::WarnMe},
};
} // namespace

CPurgePage::CPurgePage(SPageContext& context) : CSettingPage(IDD_PURGE_PAGE, kBindings, context) {}

const char* CPurgePage::BrowseTitle()
{
    return "Folder where files will be moved";
}

void CPurgePage::OnInitPage()
{
    CSettingPage::OnInitPage();
    ApplyEnabling();
}

void CPurgePage::OnClicked(int32_t nControlId)
{
    switch (nControlId)
    {
    case IDC_PURGE_MOVE:
    case IDC_PURGE_PURGE:
    case IDC_PURGE_RECYCLE:
    case IDC_PURGE_DESTINATION:
        StoreControls();
        ApplyEnabling();
        break;
    case IDC_PURGE_BROWSE:
        OnBrowse();
        break;
    default:
        break;
    }
}

void CPurgePage::LoadControls()
{
    CSettingPage::LoadControls();
    SetControlTextAnsi(IDC_PURGE_MOVE_PATH, Values().MovePath);
}

void CPurgePage::StoreControls()
{
    CSettingPage::StoreControls();
    Values().MovePath = ControlTextAnsi(IDC_PURGE_MOVE_PATH);
}

void CPurgePage::ApplyEnabling()
{
    const SPurgeMoveEnabling enabling = PurgeMoveEnabling(Values().Move, Values().RecycleRadio);
    const auto enable = [this](int32_t nId, bool bEnabled)
    { EnableWindow(Control(nId), bEnabled ? TRUE : FALSE); };
    enable(IDC_PURGE_RECYCLE, enabling.bWhereToMove);
    enable(IDC_PURGE_DESTINATION, enabling.bWhereToMove);
    enable(IDC_PURGE_DESTINATION_LABEL, enabling.bDestination);
    enable(IDC_PURGE_MOVE_PATH, enabling.bDestination);
    enable(IDC_PURGE_BROWSE, enabling.bDestination);
    enable(IDC_PURGE_OVERWRITE, enabling.bOverwrite);
    enable(IDC_PURGE_WARN, enabling.bWarnBeforePurge);
}

void CPurgePage::OnBrowse()
{
    // Starts at the folder in the field, else at the remembered drive's root.
    // Only the folder changes; every other control keeps what the user set.
    if (const std::optional<std::string> folder = TakeChoice(Context().pathPicker.BrowseForFolder(
            Window(), BrowseTitle(), PickerStart({ControlTextAnsi(IDC_PURGE_MOVE_PATH)}))))
        SetControlTextAnsi(IDC_PURGE_MOVE_PATH, *folder);
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
