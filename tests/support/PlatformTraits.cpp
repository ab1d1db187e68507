#include "support/PlatformTraits.h"

std::string TextModeLines(const std::string& strText)
{
    return strText;
}

std::string ConsoleText(std::string strOutput)
{
    return strOutput;
}

bool RunsUnderWine()
{
    return false;
}
