#include "platform/CopyTemporaryName.h"

#include <cstdio>

namespace
{
constexpr std::string_view PREFIX = ".scrubix-copy.";
constexpr size_t SERIAL_DIGITS = 16;
constexpr size_t MAX_ID_DIGITS = 10; // 4294967295

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLowerHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f');
}
} // namespace

std::string CopyTemporaryName(uint32_t nProcessId, uint64_t nSerial)
{
    char szName[64];
    std::snprintf(szName, sizeof(szName), "%.*s%lu.%016llx", static_cast<int>(PREFIX.size()),
                  PREFIX.data(), static_cast<unsigned long>(nProcessId),
                  static_cast<unsigned long long>(nSerial));
    return szName;
}

bool ParseCopyTemporaryName(std::string_view strName, uint32_t& nProcessId)
{
    if (strName.substr(0, PREFIX.size()) != PREFIX)
        return false;
    std::string_view strRest = strName.substr(PREFIX.size());
    const size_t nDot = strRest.find('.');
    if (nDot == 0 || nDot == std::string_view::npos || nDot > MAX_ID_DIGITS ||
        strRest.size() != nDot + 1 + SERIAL_DIGITS || (nDot > 1 && strRest[0] == '0'))
        return false;
    uint64_t nId = 0;
    for (size_t i = 0; i < nDot; ++i)
    {
        if (!IsDigit(strRest[i]))
            return false;
        nId = nId * 10 + static_cast<uint64_t>(strRest[i] - '0');
    }
    if (nId > UINT32_MAX)
        return false;
    for (const char c : strRest.substr(nDot + 1))
    {
        if (!IsLowerHexDigit(c))
            return false;
    }
    nProcessId = static_cast<uint32_t>(nId);
    return true;
}
