#include "RegKeyName.h"

#include "settings/TextFolding.h"

#include <algorithm>

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

std::string KeyPathLimitError(const std::string& strPath)
{
    if (strPath.empty())
        return {};
    size_t nLevels = 0;
    size_t nLongest = 0;
    for (size_t nStart = 0; nStart <= strPath.size();)
    {
        size_t nEnd = strPath.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        if (nEnd > nStart)
        {
            ++nLevels;
            nLongest = std::max(nLongest, nEnd - nStart);
        }
        nStart = nEnd + 1;
    }
    if (nLevels > REGISTRY_MAX_KEY_DEPTH)
        return "the key name has " + std::to_string(nLevels) +
               " levels; the registry holds at most " + std::to_string(REGISTRY_MAX_KEY_DEPTH);
    if (nLongest > REGISTRY_MAX_KEY_NAME)
        return "a name in the key name has " + std::to_string(nLongest) +
               " characters; the registry allows at most " + std::to_string(REGISTRY_MAX_KEY_NAME);
    return {};
}

std::string ShortKeyName(ERegistryHive hive, const std::string& strPath)
{
    constexpr size_t KEPT_NAMES = 3;
    // The backslash after the names kept at the front.
    size_t nCut = std::string::npos;
    for (size_t n = 0, nFrom = 0; n < KEPT_NAMES; ++n, nFrom = nCut + 1)
    {
        nCut = strPath.find('\\', nFrom);
        if (nCut == std::string::npos)
            break;
    }
    const size_t nLast = strPath.rfind('\\');
    if (nCut == std::string::npos || nLast == std::string::npos || nLast <= nCut)
        return FullKeyName(hive, strPath);
    return FullKeyName(hive, strPath.substr(0, nCut) + "\\..." + strPath.substr(nLast));
}
