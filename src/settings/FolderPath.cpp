#include "settings/FolderPath.h"

#include "settings/TextFolding.h"

#include <vector>

namespace
{
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The end of the root part ("C:" or "\\server\share") of a full path, or 0
// when the path is not a full one.
size_t RootLength(const std::string& strPath)
{
    if (strPath.size() >= 2 && IsDriveLetter(strPath[0]) && strPath[1] == ':')
        return strPath.size() == 2 || IsSeparator(strPath[2]) ? 2 : 0;
    if (strPath.size() < 3 || !IsSeparator(strPath[0]) || !IsSeparator(strPath[1]) ||
        IsSeparator(strPath[2]))
        return 0;
    // "\\server\share": both names present.
    size_t nEnd = 2;
    for (int nName = 0; nName < 2; ++nName)
    {
        const size_t nStart = nEnd + (nName == 0 ? 0 : 1);
        nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd]))
            ++nEnd;
        if (nEnd == nStart)
            return 0;
    }
    return nEnd;
}
} // namespace

SFolderPath ResolveFolderPath(const std::string& strPath)
{
    SFolderPath folder;
    const size_t nRoot = RootLength(strPath);
    if (nRoot == 0)
    {
        folder.strPath = strPath;
        return folder;
    }
    folder.bFullPath = true;

    std::vector<std::string> components;
    bool bClimbedAbove = false;
    size_t nStart = nRoot;
    while (nStart < strPath.size())
    {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd]))
            ++nEnd;
        const std::string strName = strPath.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (strName.empty() || strName == ".")
            continue;
        if (strName == "..")
        {
            if (components.empty())
                bClimbedAbove = true;
            else
                components.pop_back();
            continue;
        }
        components.push_back(strName);
    }

    std::string strRoot = strPath.substr(0, nRoot);
    for (char& c : strRoot)
        c = IsSeparator(c) ? '\\' : c;
    folder.bDriveRoot = bClimbedAbove || components.empty();
    folder.strPath = std::move(strRoot);
    if (!bClimbedAbove)
    {
        for (const std::string& strName : components)
            folder.strPath.append(1, '\\').append(strName);
    }
    return folder;
}

std::string ResolvedFolderEntry(const std::string& strEntry, const SFolderPath& folder)
{
    if (!folder.bFullPath)
        return strEntry;
    std::string strPlain = strEntry;
    if (strPlain.size() > 3 && strPlain.back() == '\\')
        strPlain.pop_back();
    return folder.strPath == strPlain ? strEntry : folder.strPath;
}

bool IsSameOrBelowFolder(const std::string& strFolder, const std::string& strAncestor)
{
    const std::string strPath = ToUpperAscii(ResolveFolderPath(strFolder).strPath);
    std::string strTop = ToUpperAscii(ResolveFolderPath(strAncestor).strPath);
    if (strTop.empty())
        return false;
    if (strPath == strTop)
        return true;
    strTop.push_back('\\');
    return strPath.compare(0, strTop.size(), strTop) == 0;
}
