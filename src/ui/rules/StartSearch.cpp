#include "ui/rules/StartSearch.h"

#include "platform/IFileSystem.h"
#include "settings/CSettingsStore.h"

namespace
{
bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char ToUpperAsciiChar(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool ParseDriveEntry(const std::string& strEntry, std::string& strRoot)
{
    if (strEntry.size() < 3 || !IsAsciiLetter(strEntry[2]))
        return false;
    strRoot = std::string(1, ToUpperAsciiChar(strEntry[2])) + ":";
    return true;
}

SStartSearch PrepareSearch(int nSelected, const std::string& strEntry, IFileSystem& fileSystem,
                           CSettingsStore& store)
{
    SStartSearch result;
    if (nSelected < 0 || !ParseDriveEntry(strEntry, result.strRoot))
    {
        result.outcome = EStartSearch::ListBoxError;
        result.strMessage = LIST_BOX_ERROR_TEXT;
        return result;
    }
    if (!fileSystem.IsFolderAccessible(result.strRoot))
    {
        result.outcome = EStartSearch::CannotScanPath;
        result.strMessage = std::string("Cannot Scan Path\n") + result.strRoot;
        return result;
    }
    store.SetString("Settings", "Drive", result.strRoot);
    result.outcome = EStartSearch::Start;
    return result;
}
