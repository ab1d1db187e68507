#include "support/PlatformTraits.h"

std::string TextModeLines(const std::string& strText)
{
    return strText;
}

bool RunsUnderWine()
{
    return false;
}
