#include "ui/rules/ResultsExclusions.h"

#include "search/CandidateRules.h"
#include "settings/TextFolding.h"
#include "ui/rules/EntryRules.h"

#include <algorithm>
#include <string_view>

namespace
{
std::string_view FileNameOf(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('\\');
    return nSlash == std::string::npos ? std::string_view(strPath)
                                       : std::string_view(strPath).substr(nSlash + 1);
}
} // namespace

std::string ContainingFolder(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash == std::string::npos)
        return std::string();
    std::string strFolder = strPath.substr(0, nSlash);
    if (strFolder.size() == 2 && strFolder[1] == ':')
        strFolder.push_back('\\');
    return strFolder;
}

std::optional<std::string> ExclusionEntry(EExclusion kind, const std::string& strPath)
{
    const std::string_view strName = FileNameOf(strPath);
    switch (kind)
    {
    case EExclusion::FileName:
        if (strName.empty())
            return std::nullopt;
        return std::string(strName);
    case EExclusion::Extension:
    {
        const size_t nDot = strName.rfind('.');
        if (nDot == std::string_view::npos || nDot + 1 == strName.size())
            return std::nullopt;
        return "*." + std::string(strName.substr(nDot + 1));
    }
    case EExclusion::Folder:
    {
        const size_t nSlash = strPath.rfind('\\');
        if (nSlash == std::string::npos || nSlash == 0)
            return std::nullopt;
        return strPath.substr(0, nSlash);
    }
    }
    return std::nullopt;
}

int ExclusionListKind(EExclusion kind)
{
    return kind == EExclusion::Folder ? LIST_FILTER : LIST_EXCLUDE;
}

bool AddExclusion(EExclusion kind, const std::string& strEntry, CScrubixDoc& doc,
                  IMessageBox& messageBox)
{
    std::string strAdded = strEntry;
    if (kind == EExclusion::Folder)
    {
        const SPathVerdict verdict = CheckFolderPath(strEntry, false, doc.FileSystem());
        if (verdict.eVerdict == EPathVerdict::Refuse)
        {
            messageBox.Show(verdict.prompt);
            return false;
        }
        if (verdict.eVerdict == EPathVerdict::AskThenAdd && !messageBox.Show(verdict.prompt))
            return false;
        strAdded = verdict.strEntry;
    }
    else if (std::optional<SPrompt> refusal = CheckEntryText(strEntry, true))
    {
        messageBox.Show(*refusal);
        return false;
    }

    const int nKind = ExclusionListKind(kind);
    std::vector<std::string>& list = doc.Lists[nKind];
    if (std::find(list.begin(), list.end(), strAdded) != list.end())
        return true;
    list.push_back(strAdded);
    doc.SaveList(nKind);
    return true;
}

bool ExclusionMatches(EExclusion kind, const std::string& strEntry, const std::string& strPath,
                      const CScrubixDoc& doc)
{
    if (kind != EExclusion::Folder)
        return MatchesExcludeEntry(FileNameOf(strPath), strEntry, doc.ExcludeCase == 1);
    // A folder above the file: the path goes on with a backslash after it.
    return strPath.size() > strEntry.size() && strPath[strEntry.size()] == '\\' &&
           EqualsIgnoreCaseAscii(std::string_view(strPath).substr(0, strEntry.size()), strEntry);
}
