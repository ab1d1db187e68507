#include "platform/posix/CDriveMap.h"

#include "platform/posix/PosixMountInfo.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <utility>

namespace
{

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Lexical normalisation of a component list: empty and "." components go,
// ".." removes the previous one and stops at the top.
void AppendComponent(std::vector<std::string>& components, std::string strName)
{
    if (strName.empty() || strName == ".")
        return;
    if (strName == "..")
    {
        if (!components.empty())
            components.pop_back();
        return;
    }
    components.push_back(std::move(strName));
}

std::vector<std::string> SplitHost(const std::string& strHostPath)
{
    std::vector<std::string> components;
    size_t nStart = 0;
    while (nStart <= strHostPath.size())
    {
        size_t nEnd = strHostPath.find('/', nStart);
        if (nEnd == std::string::npos)
            nEnd = strHostPath.size();
        AppendComponent(components, strHostPath.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return components;
}

std::string JoinHost(const std::vector<std::string>& components)
{
    std::string strPath;
    for (const std::string& strName : components)
        strPath += "/" + strName;
    return strPath.empty() ? "/" : strPath;
}

std::string NormalizeRoot(const std::string& strRoot)
{
    std::unique_ptr<char, decltype(&std::free)> real(realpath(strRoot.c_str(), nullptr),
                                                     &std::free);
    return real ? std::string(real.get()) : JoinHost(SplitHost(strRoot));
}

char UpperLetter(char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return (c >= 'A' && c <= 'Z') ? c : 0;
}

} // namespace

CDriveMap::CDriveMap(std::vector<SDrive> drives)
{
    for (SDrive& drive : drives)
    {
        drive.cLetter = UpperLetter(drive.cLetter);
        const bool bTaken =
            std::any_of(m_drives.begin(), m_drives.end(),
                        [&](const SDrive& d) { return d.cLetter == drive.cLetter; });
        if (drive.cLetter != 0 && !bTaken && !drive.strHostRoot.empty() &&
            drive.strHostRoot.front() == '/' && drive.strHostRoot.find('\0') == std::string::npos)
        {
            drive.strHostRoot = JoinHost(SplitHost(drive.strHostRoot));
            m_drives.push_back(std::move(drive));
        }
    }
    std::stable_sort(m_drives.begin(), m_drives.end(),
                     [](const SDrive& a, const SDrive& b) { return a.cLetter < b.cLetter; });
}

CDriveMap CDriveMap::FromEnvironment()
{
    // Set means the override, even when it is empty or names no valid
    // drive: a script whose variable came out empty gets no drives at all,
    // never the real disk.
    if (const char* pszOverride = std::getenv("SCRUBIX_DRIVES"))
        return FromOverride(pszOverride);
    std::ifstream in("/proc/self/mountinfo");
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        return CDriveMap({{'C', "/"}});
    return FromMountInfo(text.str());
}

CDriveMap CDriveMap::FromOverride(const std::string& strOverride)
{
    std::vector<SDrive> drives;
    size_t nStart = 0;
    while (nStart <= strOverride.size())
    {
        size_t nEnd = strOverride.find(';', nStart);
        if (nEnd == std::string::npos)
            nEnd = strOverride.size();
        const std::string strEntry = strOverride.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (strEntry.size() < 4 || UpperLetter(strEntry[0]) == 0 || strEntry[1] != ':' ||
            strEntry[2] != '=' || strEntry[3] != '/' || strEntry.find('\0') != std::string::npos)
            continue;
        drives.push_back({strEntry[0], NormalizeRoot(strEntry.substr(3))});
    }
    return CDriveMap(std::move(drives));
}

CDriveMap CDriveMap::FromMountInfo(const std::string& strMountInfo)
{
    const std::vector<SPosixMount> mounts = ParsePosixMountInfo(strMountInfo);
    std::vector<SDrive> drives{{'C', "/"}};
    std::set<std::pair<uint32_t, uint32_t>> lettered;
    for (const SPosixMount& mount : mounts)
        if (mount.strMountPoint == "/")
            lettered.insert({mount.nMajor, mount.nMinor});
    char cNext = 'D';
    for (const SPosixMount& mount : mounts)
    {
        // Only whole block-device file systems; a bind mount of a sub-folder
        // or a second mount of a device already lettered gets no letter.
        if (cNext > 'Z' || mount.strSource.rfind("/dev/", 0) != 0 || mount.strRoot != "/" ||
            mount.strMountPoint.empty() || mount.strMountPoint.front() != '/' ||
            mount.strMountPoint.find('\0') != std::string::npos ||
            !lettered.insert({mount.nMajor, mount.nMinor}).second)
            continue;
        drives.push_back({cNext++, mount.strMountPoint});
    }
    return CDriveMap(std::move(drives));
}

std::optional<CDriveMap::SHostPath> CDriveMap::Split(const std::string& strWindowsPath) const
{
    if (strWindowsPath.size() < 2 || strWindowsPath[1] != ':')
        return std::nullopt;
    const char cLetter = UpperLetter(strWindowsPath[0]);
    const auto itDrive = std::find_if(m_drives.begin(), m_drives.end(),
                                      [&](const SDrive& d) { return d.cLetter == cLetter; });
    if (cLetter == 0 || itDrive == m_drives.end())
        return std::nullopt;
    // "C:dir" is relative to a per-drive current folder, which does not exist here.
    if (strWindowsPath.size() > 2 && !IsSeparator(strWindowsPath[2]))
        return std::nullopt;
    if (strWindowsPath.find('\0') != std::string::npos)
        return std::nullopt;

    // One pass over the characters, no list of components: deep paths are
    // split once per folder a walk lists.
    SHostPath host{itDrive->strHostRoot, {}};
    std::string& strRelative = host.strRelative;
    strRelative.reserve(strWindowsPath.size());
    const char* const pPath = strWindowsPath.data();
    const size_t nSize = strWindowsPath.size();

    // The common case, no component that is empty or starts with a dot
    // (so no "." or ".."), is the path itself with '/' between its names.
    if (nSize > 3 && !IsSeparator(pPath[nSize - 1]))
    {
        strRelative.resize(nSize - 3);
        char* const pOut = strRelative.data();
        bool bSpecial = false;
        for (size_t i = 3; i < nSize; ++i)
        {
            const char c = pPath[i];
            const bool bSeparator = IsSeparator(c);
            bSpecial |= IsSeparator(pPath[i - 1]) && (bSeparator || c == '.');
            pOut[i - 3] = bSeparator ? '/' : c;
        }
        if (!bSpecial && pPath[3] != '.')
            return host;
        strRelative.clear();
    }

    size_t nStart = 2;
    for (size_t nEnd = 2; nEnd <= nSize; ++nEnd)
    {
        if (nEnd < nSize && !IsSeparator(pPath[nEnd]))
            continue;
        const size_t nLength = nEnd - nStart;
        const char* pName = pPath + nStart;
        nStart = nEnd + 1;
        if (nLength == 0 || (nLength == 1 && pName[0] == '.'))
            continue;
        if (nLength == 2 && pName[0] == '.' && pName[1] == '.')
        {
            const size_t nSlash = strRelative.rfind('/');
            strRelative.erase(nSlash == std::string::npos ? 0 : nSlash);
            continue;
        }
        if (!strRelative.empty())
            strRelative.push_back('/');
        strRelative.append(pName, nLength);
    }
    return host;
}

std::optional<std::string> CDriveMap::ToHost(const std::string& strWindowsPath) const
{
    const std::optional<SHostPath> host = Split(strWindowsPath);
    if (!host)
        return std::nullopt;
    if (host->strRelative.empty())
        return host->strRoot;
    return (host->strRoot == "/" ? "" : host->strRoot) + "/" + host->strRelative;
}

std::optional<std::string> CDriveMap::ToWindows(const std::string& strHostPath) const
{
    // A NUL ends a name for the OS: such a path names some other file.
    if (strHostPath.empty() || strHostPath.front() != '/' ||
        strHostPath.find('\0') != std::string::npos)
        return std::nullopt;
    const std::vector<std::string> components = SplitHost(strHostPath);
    const SDrive* pBest = nullptr;
    size_t nBestLength = 0;
    for (const SDrive& drive : m_drives)
    {
        const std::vector<std::string> root = SplitHost(drive.strHostRoot);
        if (root.size() <= components.size() &&
            std::equal(root.begin(), root.end(), components.begin()) &&
            (pBest == nullptr || root.size() > nBestLength))
        {
            pBest = &drive;
            nBestLength = root.size();
        }
    }
    if (pBest == nullptr)
        return std::nullopt;
    std::string strWindows{pBest->cLetter, ':'};
    for (size_t i = nBestLength; i < components.size(); ++i)
    {
        if (components[i].find('\\') != std::string::npos)
            return std::nullopt;
        strWindows += "\\" + components[i];
    }
    return strWindows.size() == 2 ? strWindows + "\\" : strWindows;
}
