#include "ui/rules/InvisibleChain.h"

#include "platform/IMessagePort.h"
#include "settings/CLaunchMode.h"
#include "settings/CSettingsStore.h"

bool AreSettingsReadable(const CSettingsStore& store)
{
    return !store.IsUnreadable();
}

bool IsUnattended(const CLaunchMode& launchMode, bool bWindowVisible)
{
    return launchMode.InvisibleMode != 0 && !bWindowVisible;
}

bool ShouldShowWindowAtStart(const CLaunchMode& launchMode, bool bSettingsReadable)
{
    return launchMode.InvisibleMode == 0 || !bSettingsReadable;
}

uint32_t StartupMessage(const CLaunchMode& launchMode, bool bSettingsReadable)
{
    return ShouldShowWindowAtStart(launchMode, bSettingsReadable) ? WM_STARTUP_VISIBLE
                                                                  : WM_STARTUP_INVISIBLE;
}

bool ShouldSearchOnStartup(uint32_t nViewMessage, const CLaunchMode& launchMode)
{
    if (nViewMessage == WM_VIEW_STARTUP_INVISIBLE)
        return true;
    if (nViewMessage == WM_VIEW_STARTUP_VISIBLE)
        return launchMode.BootLaunch != 0;
    return false;
}

bool ShouldDisposeAfterSearch(const CLaunchMode& launchMode, bool bWindowVisible,
                              bool bSettingsReadable)
{
    return IsUnattended(launchMode, bWindowVisible) && bSettingsReadable;
}

bool ShouldCloseAfterDisposal(const CLaunchMode& launchMode, bool bWindowVisible)
{
    return IsUnattended(launchMode, bWindowVisible);
}
