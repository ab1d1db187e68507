#include "settings/CLaunchMode.h"

#include "settings/TextFolding.h"

void CLaunchMode::ScanLaunchTokens(const std::string& strArguments)
{
    const std::string strUpper = ToUpperAscii(strArguments);
    if (strUpper.find(VISIBLE_BOOT_TOKEN) != std::string::npos)
        BootLaunch = 1;
    if (strUpper.find(INVISIBLE_BOOT_TOKEN) != std::string::npos)
    {
        InvisibleMode = 1;
        BootLaunch = 1;
    }
}
