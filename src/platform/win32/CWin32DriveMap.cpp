#include "platform/win32/CWin32DriveMap.h"

#include <utility>
#include <windows.h>

namespace
{

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

char UpperLetter(char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return (c >= 'A' && c <= 'Z') ? c : 0;
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The components below the drive, with "." and ".." resolved lexically.
std::vector<std::string> SplitBelowDrive(const std::string& strRest)
{
    std::vector<std::string> components;
    size_t nStart = 0;
    while (nStart <= strRest.size())
    {
        size_t nEnd = nStart;
        while (nEnd < strRest.size() && !IsSeparator(strRest[nEnd]))
            ++nEnd;
        std::string strName = strRest.substr(nStart, nEnd - nStart);
        if (strName == "..")
        {
            if (!components.empty())
                components.pop_back();
        }
        else if (!strName.empty() && strName != ".")
        {
            components.push_back(std::move(strName));
        }
        nStart = nEnd + 1;
    }
    return components;
}

bool IsAbsoluteHostRoot(const std::string& strRoot)
{
    if (strRoot.size() >= 3 && UpperLetter(strRoot[0]) != 0 && strRoot[1] == ':' &&
        IsSeparator(strRoot[2]))
        return true;
    return strRoot.size() > 2 && IsSeparator(strRoot[0]) && IsSeparator(strRoot[1]);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

} // namespace

CWin32DriveMap::CWin32DriveMap(std::vector<SDrive> drives) : m_bIdentity(false)
{
    for (SDrive& drive : drives)
    {
        drive.cLetter = UpperLetter(drive.cLetter);
        while (drive.strHostRoot.size() > 3 && IsSeparator(drive.strHostRoot.back()))
            drive.strHostRoot.pop_back();
        if (drive.strHostRoot.size() == 3 && drive.strHostRoot[1] == ':')
            drive.strHostRoot.pop_back(); // "D:\" is kept as "D:"
        m_drives.push_back(std::move(drive));
    }
}

CWin32DriveMap CWin32DriveMap::FromEnvironment()
{
    // The process environment, not the C runtime's copy of it: that one
    // cannot tell a variable set to "" from one that is not set.
    ::SetLastError(ERROR_SUCCESS);
    const DWORD nNeeded = ::GetEnvironmentVariableA("SCRUBIX_DRIVES", nullptr, 0);
    if (nNeeded == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND)
        return CWin32DriveMap();
    std::string strOverride(nNeeded, '\0');
    const DWORD nLength =
        nNeeded == 0 ? 0 : ::GetEnvironmentVariableA("SCRUBIX_DRIVES", strOverride.data(), nNeeded);
    strOverride.resize(nLength < nNeeded ? nLength : 0);
    return FromOverride(strOverride);
}

CWin32DriveMap CWin32DriveMap::FromOverride(const std::string& strOverride)
{
    std::vector<SDrive> drives;
    size_t nStart = 0;
    while (nStart < strOverride.size())
    {
        size_t nEnd = strOverride.find(';', nStart);
        if (nEnd == std::string::npos)
            nEnd = strOverride.size();
        const std::string strEntry = strOverride.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (strEntry.size() < 4 || UpperLetter(strEntry[0]) == 0 ||
            strEntry.compare(1, 2, ":=") != 0)
            continue;
        const std::string strRoot = strEntry.substr(3);
        if (!IsAbsoluteHostRoot(strRoot))
            continue;
        const char cLetter = UpperLetter(strEntry[0]);
        bool bTaken = false;
        for (const SDrive& drive : drives)
            bTaken = bTaken || drive.cLetter == cLetter;
        if (!bTaken)
            drives.push_back({cLetter, strRoot});
    }
    return CWin32DriveMap(std::move(drives));
}

std::optional<std::string> CWin32DriveMap::ToHost(const std::string& strPath) const
{
    if (strPath.size() < 2 || UpperLetter(strPath[0]) == 0 || strPath[1] != ':')
        return std::nullopt;
    const char cLetter = UpperLetter(strPath[0]);
    std::string strRoot;
    if (IsIdentity())
    {
        strRoot = std::string(1, cLetter) + ":";
    }
    else
    {
        const SDrive* pDrive = nullptr;
        for (const SDrive& drive : m_drives)
            if (drive.cLetter == cLetter)
                pDrive = &drive;
        if (pDrive == nullptr)
            return std::nullopt;
        strRoot = pDrive->strHostRoot;
    }
    std::string strHost = strRoot;
    for (const std::string& strName : SplitBelowDrive(strPath.substr(2)))
        strHost += "\\" + strName;
    if (strHost == strRoot && strRoot.size() == 2)
        strHost += "\\";
    return strHost;
}

std::optional<std::string> CWin32DriveMap::ToProgram(const std::string& strHostPath) const
{
    if (IsIdentity())
        return strHostPath;
    const SDrive* pBest = nullptr;
    for (const SDrive& drive : m_drives)
    {
        const std::string& strRoot = drive.strHostRoot;
        if (strHostPath.size() < strRoot.size() ||
            !EqualNoCase(strHostPath.substr(0, strRoot.size()), strRoot))
            continue;
        if (strHostPath.size() > strRoot.size() && !IsSeparator(strHostPath[strRoot.size()]) &&
            !IsSeparator(strRoot.back()))
            continue;
        if (pBest == nullptr || strRoot.size() > pBest->strHostRoot.size())
            pBest = &drive;
    }
    if (pBest == nullptr)
        return std::nullopt;
    std::string strProgram = std::string(1, pBest->cLetter) + ":";
    for (const std::string& strName :
         SplitBelowDrive(strHostPath.substr(pBest->strHostRoot.size())))
        strProgram += "\\" + strName;
    if (strProgram.size() == 2)
        strProgram += "\\";
    return strProgram;
}
