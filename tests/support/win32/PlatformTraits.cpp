// The Windows forms: CR LF line ends, and Wine told from Windows.
#include "support/PlatformTraits.h"

#include <windows.h>

std::string TextModeLines(const std::string& strText)
{
    std::string strConverted;
    strConverted.reserve(strText.size() + strText.size() / 8);
    for (char c : strText)
    {
        if (c == '\n')
            strConverted += '\r';
        strConverted += c;
    }
    return strConverted;
}

std::string ConsoleText(std::string strOutput)
{
    for (size_t nPos = strOutput.find("\r\n"); nPos != std::string::npos;
         nPos = strOutput.find("\r\n", nPos))
        strOutput.erase(nPos, 1);
    return strOutput;
}

bool RunsUnderWine()
{
    const HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
    return hNtdll != nullptr && ::GetProcAddress(hNtdll, "wine_get_version") != nullptr;
}
