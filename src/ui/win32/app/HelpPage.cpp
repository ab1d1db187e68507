#include "ui/win32/app/HelpPage.h"

#include <windows.h>

namespace
{
bool IsFile(const std::string& strPath)
{
    const DWORD nAttributes = GetFileAttributesA(strPath.c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ParentFolder(const std::string& strPath)
{
    const size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}
} // namespace

std::string HelpIndexPath()
{
    char szProgram[MAX_PATH + 1] = {};
    const DWORD nLength = GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return {};
    std::string strFolder = ParentFolder(std::string(szProgram, nLength));
    const std::string strInstalled = strFolder + "\\help\\index.html";
    if (IsFile(strInstalled))
        return strInstalled;
    // The build tree: <source>\build\<preset>\bin\scrubix.exe.
    for (int nUp = 0; nUp < 4 && !strFolder.empty(); ++nUp)
    {
        strFolder = ParentFolder(strFolder);
        const std::string strSource = strFolder + "\\docs\\help\\index.html";
        if (!strFolder.empty() && IsFile(strSource))
            return strSource;
    }
    return {};
}
