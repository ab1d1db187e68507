#include "RegKeyName.h"

#include "settings/TextFolding.h"

bool ParseKeyName(const std::string& strKeyName, ERegistryHive& hive, std::string& strPath)
{
    const size_t nSlash = strKeyName.find('\\');
    const std::string strHive = strKeyName.substr(0, nSlash);
    if (EqualsIgnoreCaseAscii(strHive, "HKLM") ||
        EqualsIgnoreCaseAscii(strHive, "HKEY_LOCAL_MACHINE"))
        hive = ERegistryHive::LocalMachine;
    else if (EqualsIgnoreCaseAscii(strHive, "HKCU") ||
             EqualsIgnoreCaseAscii(strHive, "HKEY_CURRENT_USER"))
        hive = ERegistryHive::CurrentUser;
    else
        return false;

    strPath.clear();
    if (nSlash == std::string::npos)
        return true;
    size_t nStart = nSlash + 1;
    while (nStart <= strKeyName.size())
    {
        size_t nEnd = strKeyName.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strKeyName.size();
        if (nEnd > nStart)
        {
            if (!strPath.empty())
                strPath += '\\';
            strPath += strKeyName.substr(nStart, nEnd - nStart);
        }
        nStart = nEnd + 1;
    }
    return true;
}

const char* HiveName(ERegistryHive hive)
{
    return hive == ERegistryHive::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string FullKeyName(ERegistryHive hive, const std::string& strPath)
{
    std::string strName = HiveName(hive);
    if (!strPath.empty())
        strName += "\\" + strPath;
    return strName;
}
