#include "ui/rules/SettingPageRules.h"

#include "settings/EDisposalMode.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/HostPathTexts.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/OptionsTexts.h"

SPurgeMoveEnabling PurgeMoveEnabling(int32_t nMove, int32_t nRecycleRadio)
{
    SPurgeMoveEnabling enabling;
    const bool bMoving = DisposalModeOf(nMove) == EDisposalMode::Move;
    enabling.bWhereToMove = bMoving;
    enabling.bDestination = bMoving && nRecycleRadio == 1;
    enabling.bOverwrite = enabling.bDestination;
    enabling.bWarnBeforePurge = !bMoving;
    return enabling;
}

std::optional<SPrompt> CheckDestinationFolder(int32_t nMove, int32_t nRecycleRadio,
                                              const std::string& strMovePath,
                                              IFileSystem& fileSystem)
{
    if (DisposalModeOf(nMove) != EDisposalMode::Move || nRecycleRadio != 1)
        return std::nullopt;
    if (strMovePath.empty() || !fileSystem.IsFolderAccessible(strMovePath))
    {
        // A host path on no drive: say which form is expected.
        std::string strText = TEXT_DESTINATION_INVALID;
        if (IsHostPath(strMovePath) && !fileSystem.WindowsPathOf(strMovePath))
            strText += FormatWithPath(TEXT_DESTINATION_DRIVE_FORM, DescribeDrives(fileSystem));
        return OkPrompt(strText);
    }
    if (strMovePath.size() > MAX_ENTRY_LENGTH)
        return OkPrompt(TEXT_DESTINATION_TOO_LONG);
    return std::nullopt;
}

void OnLaunchInvisibleClicked(int32_t& Visible, int32_t& Run, IMessageBox& messageBox)
{
    if (messageBox.Show(YesNoPrompt(TEXT_INVISIBLE_QUESTION)))
    {
        Run = 1;
        messageBox.Show(OkPrompt(TEXT_INVISIBLE_HOW_TO_SHOW));
    }
    else
    {
        Visible = 1;
    }
}

void OnRunAtBootClicked(int32_t Visible, int32_t& Run, IMessageBox& messageBox)
{
    if (Run == 0 && Visible == 0)
    {
        messageBox.Show(OkPrompt(TEXT_BOOT_TIME_NEEDED));
        Run = 1;
    }
}

void OnInternetExplorerClicked(int32_t IE, bool& bWarnOnce, IMessageBox& messageBox)
{
    if (IE != 0 && bWarnOnce)
    {
        messageBox.Show(OkPrompt(TEXT_IE_SHUT_DOWN));
        bWarnOnce = false;
    }
}

bool ZeroLengthMailKeysPresent(IRegistry& registry)
{
    for (const char* pKey : {"Software\\Netscape", "Software\\Mozilla", "Software\\mozilla.org"})
    {
        if (!registry.OpenKey(ERegistryHive::LocalMachine, pKey))
            return false;
    }
    return true;
}

void OnZeroLengthClicked(int32_t Zero, IRegistry& registry, IMessageBox& messageBox)
{
    if (Zero != 0 && ZeroLengthMailKeysPresent(registry))
        messageBox.Show(OkPrompt(TEXT_ZERO_LENGTH_MAIL));
}
