#include "ui/rules/RunAtBoot.h"

#include "platform/IAutostart.h"
#include "settings/CLaunchMode.h"
#include "settings/CSettingsStore.h"

std::string BootArguments(int32_t nRun, int32_t nVisible)
{
    if (nRun == 0)
        return {};
    return std::string(" -") + (nVisible != 0 ? VISIBLE_BOOT_TOKEN : INVISIBLE_BOOT_TOKEN);
}

std::string ComposeRunValue(const std::string& strPath, int32_t nRun, int32_t nVisible)
{
    if (nRun == 0)
        return {};
    return strPath + "\\scrubix.exe" + BootArguments(nRun, nVisible);
}

bool RegisterRunAtBoot(CSettingsStore& store, IAutostart& autostart, const std::string& strPath,
                       int32_t nRun, int32_t nVisible, bool* pLoginRefused)
{
    bool bWritten = false;
    {
        const auto lock = store.Lock();
        const std::string strBase = store.GetBaseKey();
        if (store.SetBaseKey(ERegistryHive::LocalMachine, RUN_KEY_PATH))
            bWritten = store.SetString(RUN_SECTION, RUN_VALUE_NAME,
                                       ComposeRunValue(strPath, nRun, nVisible));
        store.SetBaseKey(ERegistryHive::LocalMachine, strBase);
    }
    const bool bLogin = nRun != 0 ? autostart.EnableAtLogin(BootArguments(nRun, nVisible))
                                  : autostart.DisableAtLogin();
    if (pLoginRefused != nullptr)
        *pLoginRefused = nRun != 0 && !bLogin;
    return bWritten && bLogin;
}
