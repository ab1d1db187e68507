#include "platform/ProgramFiles.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CSqliteRegistry.h"
#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixSafeOpen.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <system_error>

namespace
{

namespace fs = std::filesystem;

// The path as written (made absolute) and as the system resolves it; either
// can be the one a drive root is a prefix of.
std::vector<std::string> FormsOf(const std::string& strPath)
{
    std::error_code error;
    std::vector<std::string> forms;
    const fs::path absolute = fs::absolute(fs::path(strPath), error);
    if (error)
        return forms;
    std::string strLexical = absolute.lexically_normal().string();
    while (strLexical.size() > 1 && strLexical.back() == '/')
        strLexical.pop_back();
    forms.push_back(strLexical);
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    if (!error && resolved.string() != strLexical)
        forms.push_back(resolved.string());
    return forms;
}

// "C:\dir\file" for a host path below a drive root; empty when it is not
// below it or has no Windows form.
std::string WindowsFormBelow(const std::string& strHostPath, const std::string& strRoot,
                             char cLetter)
{
    std::string strRest;
    if (strRoot == "/")
        strRest = strHostPath.substr(1);
    else if (strHostPath.size() > strRoot.size() &&
             strHostPath.compare(0, strRoot.size(), strRoot) == 0 &&
             strHostPath[strRoot.size()] == '/')
        strRest = strHostPath.substr(strRoot.size() + 1);
    else
        return {};
    if (strRest.empty() || strRest.find('\\') != std::string::npos)
        return {};
    std::replace(strRest.begin(), strRest.end(), '/', '\\');
    return std::string{cLetter, ':', '\\'} + strRest;
}

void AddOnce(std::vector<std::string>& items, const std::string& strItem)
{
    if (!strItem.empty() && std::find(items.begin(), items.end(), strItem) == items.end())
        items.push_back(strItem);
}

// Every file of the folder whose name begins with one of the names.
void AddIdentities(const std::string& strFolder, const std::vector<std::string>& names,
                   std::vector<SFileIdentity>& identities)
{
    const CPosixFd folder(::open(strFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.IsOpen())
        return;
    const int nListFd = ::dup(folder.Get());
    DIR* pListing = nListFd >= 0 ? ::fdopendir(nListFd) : nullptr;
    if (pListing == nullptr)
    {
        if (nListFd >= 0)
            ::close(nListFd);
        return;
    }
    while (const dirent* pEntry = ::readdir(pListing))
    {
        const std::string strName = pEntry->d_name;
        const bool bOurs = std::any_of(names.begin(), names.end(),
                                       [&](const std::string& strOurs) {
                                           return strName.compare(0, strOurs.size(), strOurs) == 0;
                                       });
        SPosixStatus status;
        if (bOurs && CPosixSafeOpen::StatLeaf(folder.Get(), strName, status))
            identities.push_back(IdentityOf(status));
    }
    ::closedir(pListing);
}

} // namespace

SProgramFiles ListProgramFiles()
{
    const std::string strFolder = CSqliteRegistry::FolderFromEnvironment();
    std::vector<std::string> names;
    for (const std::string& strFile : CSqliteRegistry(strFolder).BackingFiles())
        if (strFile.find("-journal") == std::string::npos)
            AddOnce(names, fs::path(strFile).filename().string());

    SProgramFiles files;
    const std::vector<std::string> folderForms = FormsOf(strFolder);
    const CDriveMap driveMap = CDriveMap::FromEnvironment();
    for (const CDriveMap::SDrive& drive : driveMap.Drives())
        for (const std::string& strRoot : FormsOf(drive.strHostRoot))
            for (const std::string& strForm : folderForms)
                for (const std::string& strName : names)
                    AddOnce(files.pathPrefixes,
                            WindowsFormBelow(strForm + "/" + strName, strRoot, drive.cLetter));
    if (!folderForms.empty())
        AddIdentities(folderForms.back(), names, files.identities);
    return files;
}
