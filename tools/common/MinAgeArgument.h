#pragma once

#include <cstdint>
#include <string>

// The largest --min-age a tool takes, the same bound the Age page sets.
inline constexpr int32_t MAX_MIN_AGE_DAYS = 3650;

// "--min-age DAYS": a whole number of days, 0 (no age rule for this run) to
// MAX_MIN_AGE_DAYS, digits only. False for anything else.
inline bool ParseMinAgeArgument(const std::string& strDays, int32_t& nDays)
{
    if (strDays.empty() || strDays.size() > 4)
        return false;
    int32_t nValue = 0;
    for (const char c : strDays)
    {
        if (c < '0' || c > '9')
            return false;
        nValue = nValue * 10 + (c - '0');
    }
    if (nValue > MAX_MIN_AGE_DAYS)
        return false;
    nDays = nValue;
    return true;
}
