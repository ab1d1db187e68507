#include "RegValueText.h"

#include <cstdio>

std::string TypeName(uint32_t nType)
{
    static const char* const apszNames[] = {
        "REG_NONE",
        "REG_SZ",
        "REG_EXPAND_SZ",
        "REG_BINARY",
        "REG_DWORD",
        "REG_DWORD_BIG_ENDIAN",
        "REG_LINK",
        "REG_MULTI_SZ",
        "REG_RESOURCE_LIST",
        "REG_FULL_RESOURCE_DESCRIPTOR",
        "REG_RESOURCE_REQUIREMENTS_LIST",
        "REG_QWORD",
    };
    if (nType < sizeof(apszNames) / sizeof(apszNames[0]))
        return apszNames[nType];
    char szName[16];
    std::snprintf(szName, sizeof(szName), "0x%x", nType);
    return szName;
}

namespace
{
uint64_t LittleEndian(const std::string& strData)
{
    uint64_t nValue = 0;
    for (size_t i = strData.size(); i-- > 0;)
        nValue = (nValue << 8) | static_cast<unsigned char>(strData[i]);
    return nValue;
}
} // namespace

std::string DisplayData(const SRegistryValue& value)
{
    const std::string& strData = value.strData;
    switch (value.nType)
    {
    case REG_TYPE_SZ:
    case REG_TYPE_EXPAND_SZ:
        return strData.substr(0, strData.find('\0'));
    case REG_TYPE_MULTI_SZ:
    {
        std::string strText;
        size_t nStart = 0;
        while (nStart < strData.size() && strData[nStart] != '\0')
        {
            const size_t nEnd = strData.find('\0', nStart);
            if (!strText.empty())
                strText += "\\0";
            strText += strData.substr(nStart, nEnd - nStart);
            if (nEnd == std::string::npos)
                break;
            nStart = nEnd + 1;
        }
        return strText;
    }
    case REG_TYPE_DWORD:
    case REG_TYPE_QWORD:
        if (strData.size() == (value.nType == REG_TYPE_DWORD ? 4u : 8u))
        {
            char szNumber[24];
            std::snprintf(szNumber, sizeof(szNumber), "0x%llx",
                          static_cast<unsigned long long>(LittleEndian(strData)));
            return szNumber;
        }
        break;
    default:
        break;
    }
    std::string strHex;
    char szByte[3];
    for (unsigned char c : strData)
    {
        std::snprintf(szByte, sizeof(szByte), "%02X", c);
        strHex += szByte;
    }
    return strHex;
}
