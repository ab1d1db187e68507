#include "ui/rules/AgePageRules.h"

#include <algorithm>

SAgeControls AgeControlsFor(int32_t MinAge)
{
    if (MinAge <= 0)
        return {};
    return {true, std::clamp(MinAge, AGE_DAYS_LOWEST, AGE_DAYS_HIGHEST)};
}

int32_t MinAgeFrom(const SAgeControls& controls)
{
    if (!controls.bOnlyOld)
        return 0;
    return std::clamp(controls.nDays, AGE_DAYS_LOWEST, AGE_DAYS_HIGHEST);
}

std::optional<SPrompt> CheckAgeDays(bool bOnlyOld, const std::string& strDaysText, int32_t& nDays)
{
    if (!bOnlyOld)
        return std::nullopt;
    // White space around the number is what a spin box leaves; nothing else
    // may stand beside the digits.
    const size_t nFirst = strDaysText.find_first_not_of(" \t");
    const size_t nLast = strDaysText.find_last_not_of(" \t");
    if (nFirst == std::string::npos)
        return OkPrompt(TEXT_AGE_DAYS_RANGE);
    int32_t nValue = 0;
    for (size_t n = nFirst; n <= nLast; ++n)
    {
        const char c = strDaysText[n];
        if (c < '0' || c > '9' || nValue > AGE_DAYS_HIGHEST)
            return OkPrompt(TEXT_AGE_DAYS_RANGE);
        nValue = nValue * 10 + (c - '0');
    }
    if (nValue < AGE_DAYS_LOWEST || nValue > AGE_DAYS_HIGHEST)
        return OkPrompt(TEXT_AGE_DAYS_RANGE);
    nDays = nValue;
    return std::nullopt;
}
