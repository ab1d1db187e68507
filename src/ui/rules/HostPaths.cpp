#include "ui/rules/HostPaths.h"

#include "settings/TextFolding.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/HostPathTexts.h"

namespace
{
// "C:" from a drive entry, a remembered drive ("C") or a path ("C:\x").
std::string DriveRootOf(const std::string& strText)
{
    if (strText.empty())
        return {};
    const char cLetter = ToUpperAscii(strText[0]);
    if (cLetter < 'A' || cLetter > 'Z')
        return {};
    return std::string{cLetter, ':', '\\'};
}

// The folder above a Windows-form path; empty at a drive root.
std::string ParentFolder(const std::string& strPath)
{
    std::string strFolder = strPath;
    while (strFolder.size() > 3 && strFolder.back() == '\\')
        strFolder.pop_back();
    const size_t nSlash = strFolder.rfind('\\');
    if (nSlash == std::string::npos || strFolder.size() <= 3)
        return {};
    return nSlash <= 2 ? strFolder.substr(0, 3) : strFolder.substr(0, nSlash);
}

// The nearest folder at or above the path that can be entered; empty if none.
std::string NearestExistingFolder(const std::string& strPath, IFileSystem& fileSystem)
{
    if (strPath.size() < 2 || strPath[1] != ':')
        return {};
    std::string strFolder = strPath.size() == 2 ? strPath + "\\" : strPath;
    while (strFolder.size() > 3 && strFolder.back() == '\\')
        strFolder.pop_back();
    while (!strFolder.empty())
    {
        if (fileSystem.IsFolderAccessible(strFolder))
            return strFolder;
        strFolder = ParentFolder(strFolder);
    }
    return {};
}
} // namespace

bool IsHostPath(const std::string& strText)
{
    return !strText.empty() && strText.front() == '/';
}

std::string ToDriveForm(const std::string& strTyped, IFileSystem& fileSystem)
{
    if (!IsHostPath(strTyped))
        return strTyped;
    const std::optional<std::string> windows = fileSystem.WindowsPathOf(strTyped);
    return windows ? *windows : strTyped;
}

std::string DescribeDrives(IFileSystem& fileSystem)
{
    std::string strDrives;
    for (const std::string& strDrive : fileSystem.ListDrives())
    {
        if (!strDrives.empty())
            strDrives += ", ";
        strDrives += strDrive;
        const std::string strFolder = fileSystem.DescribeDrive(strDrive);
        if (!strFolder.empty())
            strDrives += " is " + strFolder;
    }
    return strDrives.empty() ? TEXT_NO_DRIVES : strDrives;
}

SPrompt ChoiceOffDrivesPrompt(const std::string& strHostPath, IFileSystem& fileSystem)
{
    // Two slots, filled in order; a "%s" inside the path stays as it is.
    const std::string strTemplate = TEXT_CHOICE_OFF_DRIVES;
    const size_t nFirst = strTemplate.find("%s");
    const size_t nSecond = strTemplate.find("%s", nFirst + 2);
    return OkPrompt(strTemplate.substr(0, nFirst) + strHostPath +
                    strTemplate.substr(nFirst + 2, nSecond - nFirst - 2) +
                    DescribeDrives(fileSystem) + strTemplate.substr(nSecond + 2));
}

std::string PickerStartFolder(const std::vector<std::string>& candidates,
                              const std::string& strDrive, IFileSystem& fileSystem)
{
    for (const std::string& strCandidate : candidates)
    {
        if (strCandidate.empty())
            continue;
        const std::string strFolder =
            NearestExistingFolder(ToDriveForm(strCandidate, fileSystem), fileSystem);
        if (!strFolder.empty())
            return strFolder;
    }
    std::vector<std::string> roots{DriveRootOf(strDrive)};
    for (const std::string& strListed : fileSystem.ListDrives())
        roots.push_back(DriveRootOf(strListed));
    for (const std::string& strRoot : roots)
    {
        if (!strRoot.empty() && fileSystem.IsFolderAccessible(strRoot))
            return strRoot;
    }
    return {};
}
