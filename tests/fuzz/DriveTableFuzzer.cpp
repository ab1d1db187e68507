// The drive table on hostile text: SCRUBIX_DRIVES values and mount tables give
// a table of unique upper-case letters on clean absolute roots, and mapping a
// path never leaves its drive: a Windows-form path lands on or beneath its
// drive's root with no "." or ".." left in it, and the host path it maps to
// maps back to a Windows form that names the same host path.
//
// Input: the first line is a SCRUBIX_DRIVES value; the rest is read as
// /proc/self/mountinfo text, and each of its lines is also mapped as a
// Windows-form path and as a host path in both tables.
//
// Roots named in the value are resolved through the host's file system
// (realpath), which only looks names up; nothing is created or changed.

#include "FuzzSupport.h"
#include "platform/posix/CDriveMap.h"

#include <optional>
#include <string>
#include <vector>

namespace
{
bool IsCleanComponent(const std::string& strName)
{
    return !strName.empty() && strName != "." && strName != ".." &&
           strName.find('/') == std::string::npos;
}

// "/" or "/a/b": no empty, "." or ".." component.
bool IsCleanHostPath(const std::string& strPath)
{
    if (strPath == "/")
        return true;
    if (strPath.empty() || strPath.front() != '/')
        return false;
    size_t nStart = 1;
    while (true)
    {
        const size_t nEnd = strPath.find('/', nStart);
        if (!IsCleanComponent(strPath.substr(nStart, nEnd - nStart)))
            return false;
        if (nEnd == std::string::npos)
            return true;
        nStart = nEnd + 1;
    }
}

void CheckTable(const CDriveMap& map)
{
    char cPrevious = 0;
    for (const CDriveMap::SDrive& drive : map.Drives())
    {
        FuzzCheck(drive.cLetter >= 'A' && drive.cLetter <= 'Z', "letters are upper case");
        FuzzCheck(drive.cLetter > cPrevious, "letters are unique and in order");
        FuzzCheck(IsCleanHostPath(drive.strHostRoot), "roots are clean absolute paths");
        FuzzCheck(drive.strHostRoot.find('\0') == std::string::npos, "roots hold no NUL");
        cPrevious = drive.cLetter;
    }
}

bool IsDriveRoot(const CDriveMap& map, const std::string& strRoot)
{
    for (const CDriveMap::SDrive& drive : map.Drives())
        if (drive.strHostRoot == strRoot)
            return true;
    return false;
}

void CheckHostPath(const CDriveMap& map, const std::string& strHost)
{
    const std::optional<std::string> windows = map.ToWindows(strHost);
    if (!windows)
        return;
    FuzzCheck(windows->size() >= 3 && (*windows)[1] == ':' && (*windows)[2] == '\\',
              "a Windows form starts with its drive root");
    const std::optional<std::string> host = map.ToHost(*windows);
    FuzzCheck(host.has_value(), "a Windows form made by the table maps back");
    FuzzCheck(IsCleanHostPath(*host), "a mapped host path is clean");
    FuzzCheck(map.ToWindows(*host) == windows, "mapping back and forth settles");
}

void CheckWindowsPath(const CDriveMap& map, const std::string& strWindows)
{
    const std::optional<CDriveMap::SHostPath> split = map.Split(strWindows);
    const std::optional<std::string> host = map.ToHost(strWindows);
    FuzzCheck(split.has_value() == host.has_value(), "splitting and mapping agree");
    if (!split)
        return;
    FuzzCheck(IsDriveRoot(map, split->strRoot), "a path lands on a drive of the table");
    if (!split->strRelative.empty())
        FuzzCheck(IsCleanHostPath("/" + split->strRelative),
                  "nothing below the root is empty, \".\" or \"..\"");
    const std::string strExpected =
        split->strRelative.empty()
            ? split->strRoot
            : (split->strRoot == "/" ? "" : split->strRoot) + "/" + split->strRelative;
    FuzzCheck(*host == strExpected, "the host path is the root and the path below it");
    CheckHostPath(map, *host);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string_view strText = FuzzText(pData, nSize);
    const size_t nBreak = strText.find('\n');
    const std::string strOverride(strText.substr(0, nBreak));
    const std::string strMountInfo(nBreak == std::string_view::npos ? std::string_view()
                                                                    : strText.substr(nBreak + 1));

    const CDriveMap overridden = CDriveMap::FromOverride(strOverride);
    const CDriveMap mounted = CDriveMap::FromMountInfo(strMountInfo);
    CheckTable(overridden);
    CheckTable(mounted);
    FuzzCheck(!mounted.Drives().empty() && mounted.Drives().front().cLetter == 'C' &&
                  mounted.Drives().front().strHostRoot == "/",
              "a mount table always gives C: as the host's root");

    for (const std::string& strLine : FuzzLines(strMountInfo))
    {
        for (const CDriveMap* pMap : {&overridden, &mounted})
        {
            CheckWindowsPath(*pMap, strLine);
            CheckHostPath(*pMap, strLine);
        }
    }
    return 0;
}
