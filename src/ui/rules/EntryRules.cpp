#include "ui/rules/EntryRules.h"

#include "settings/FolderPath.h"
#include "settings/TextFolding.h"
#include "ui/rules/OptionsTexts.h"

std::string FormatWithPath(const char* pTemplate, const std::string& strPath)
{
    std::string strText = pTemplate;
    const size_t nAt = strText.find("%s");
    if (nAt != std::string::npos)
        strText.replace(nAt, 2, strPath);
    return strText;
}

std::optional<SPrompt> CheckEntryLength(const std::string& strText)
{
    if (strText.size() > MAX_ENTRY_LENGTH)
        return OkPrompt(TEXT_ENTRY_TOO_LONG);
    return std::nullopt;
}

std::string TrimEntryBlanks(const std::string& strText)
{
    const size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return {};
    return strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1);
}

namespace
{
bool IsOperatingSystemFolder(const std::string& strFolder, IFileSystem& fileSystem)
{
    const std::string strUpper = ToUpperAscii(strFolder);
    if (strUpper.find("WINDOWS") != std::string::npos ||
        strUpper.find("WINNT") != std::string::npos)
        return true;
    for (const std::string& strSystem : fileSystem.ListSystemFolders())
    {
        if (IsSameOrBelowFolder(strFolder, strSystem))
            return true;
    }
    return false;
}

bool IsWildcardExcludeForm(const std::string& strText)
{
    // One asterisk, at the start, followed by the first dot: "*.ext".
    const size_t nFirstStar = strText.find('*');
    return nFirstStar == 0 && strText.rfind('*') == nFirstStar && strText.find('.') == 1;
}
} // namespace

std::optional<SPrompt> CheckEntryText(const std::string& strText, bool bExcludeMode)
{
    if (strText.empty())
        return OkPrompt(TEXT_NULL_ENTRY);
    if (bExcludeMode)
    {
        if (strText.find('*') != std::string::npos)
        {
            if (!IsWildcardExcludeForm(strText))
                return OkPrompt(TEXT_WILDCARD_FORM);
        }
        else if (strText.find('?') != std::string::npos)
        {
            return OkPrompt(TEXT_QUESTION_MARK);
        }
    }
    return CheckEntryLength(strText);
}

SPathVerdict CheckFolderPath(const std::string& strPath, bool bFoldersToDelete,
                             IFileSystem& fileSystem)
{
    const SFolderPath folder = ResolveFolderPath(strPath);
    if (strPath.size() < 4 || folder.bDriveRoot)
        return {EPathVerdict::Refuse, OkPrompt(FormatWithPath(TEXT_ROOT_FOLDER, strPath)), {}};

    const std::string& strFolder = folder.strPath;
    if (!folder.bFullPath || !fileSystem.IsFolderAccessible(strFolder))
        return {EPathVerdict::Refuse, OkPrompt(FormatWithPath(TEXT_INVALID_FOLDER, strPath)), {}};
    std::string strEntry = ResolvedFolderEntry(strPath, folder);
    if (std::optional<SPrompt> tooLong = CheckEntryLength(strEntry))
        return {EPathVerdict::Refuse, *tooLong, {}};

    if (bFoldersToDelete && IsOperatingSystemFolder(strFolder, fileSystem))
        return {EPathVerdict::AskThenAdd,
                YesNoPrompt(FormatWithPath(TEXT_OPERATING_SYSTEM, strPath)), std::move(strEntry)};
    return {EPathVerdict::Add, {}, std::move(strEntry)};
}

std::optional<SPrompt> MissingFilterDefaultPrompt(const std::string& strDefault)
{
    const std::string strUpper = ToUpperAscii(strDefault);
    if (strUpper.find("RECYC") != std::string::npos)
        return YesNoPrompt(FormatWithPath(TEXT_RECYCLE_MISSING, strDefault));
    if (strUpper.find("REPAIR") != std::string::npos)
        return YesNoPrompt(FormatWithPath(TEXT_REPAIR_MISSING, strDefault));
    return std::nullopt;
}

std::vector<SPrompt> FilterDeleteQuestions(const std::string& strEntry,
                                           const std::vector<std::string>& defaults)
{
    std::vector<SPrompt> questions;
    const std::string strUpper = ToUpperAscii(strEntry);
    for (const std::string& strDefault : defaults)
    {
        if (ToUpperAscii(strDefault) != strUpper)
            continue;
        if (strUpper.find("RECYC") != std::string::npos)
            questions.push_back(YesNoPrompt(TEXT_RECYCLE_REMOVE));
        else if (strUpper.find("REPAIR") != std::string::npos)
            questions.push_back(YesNoPrompt(TEXT_REPAIR_REMOVE));
    }
    if (strUpper.find("\\NETSCAPE") != std::string::npos &&
        strUpper.find("\\MAIL") != std::string::npos)
        questions.push_back(YesNoPrompt(TEXT_NETSCAPE_MAIL_REMOVE));
    return questions;
}

std::optional<SPrompt> ExcludeDeleteQuestion(const std::string& strEntry)
{
    if (strEntry == "install.log")
        return YesNoPrompt(TEXT_INSTALL_LOG_REMOVE);
    if (strEntry == "data.bak")
        return YesNoPrompt(TEXT_DATA_BAK_REMOVE);
    return std::nullopt;
}
