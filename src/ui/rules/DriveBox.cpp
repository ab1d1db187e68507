#include "ui/rules/DriveBox.h"

#include "platform/IFileSystem.h"
#include "settings/CSettingsStore.h"

#include <algorithm>

namespace
{
char ToUpperAsciiChar(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char ToLowerAsciiChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string DriveBoxEntry(const std::string& strDrive, const std::string& strHostFolder)
{
    std::string strEntry = "[-";
    strEntry += strDrive.empty() ? '?' : ToLowerAsciiChar(strDrive[0]);
    strEntry += "-]";
    if (!strHostFolder.empty())
        strEntry += " " + strHostFolder;
    return strEntry;
}

SDriveBoxEntryParts SplitDriveBoxEntry(const std::string& strEntry)
{
    // "[-c-]" is five characters; a folder follows after one blank.
    constexpr size_t LETTER_PART = 5;
    if (strEntry.size() <= LETTER_PART + 1 || strEntry[LETTER_PART] != ' ')
        return {strEntry, {}};
    return {strEntry.substr(0, LETTER_PART), strEntry.substr(LETTER_PART + 1)};
}

int MatchRememberedDrive(const std::vector<std::string>& entries, const std::string& strRemembered,
                         const std::string& strCurrentFolder)
{
    const std::string& strDrive = strRemembered.empty() ? strCurrentFolder : strRemembered;
    if (strDrive.empty())
        return -1;
    const char cWanted = ToUpperAsciiChar(strDrive[0]);
    for (size_t i = 0; i < entries.size(); ++i)
    {
        if (entries[i].size() >= 3 && ToUpperAsciiChar(entries[i][2]) == cWanted)
            return static_cast<int>(i);
    }
    return -1;
}

SDriveBoxFill FillDriveBox(IFileSystem& fileSystem, CSettingsStore& store)
{
    SDriveBoxFill fill;
    for (const std::string& strDrive : fileSystem.ListDrives())
        fill.entries.push_back(DriveBoxEntry(strDrive, fileSystem.DescribeDrive(strDrive)));
    std::sort(fill.entries.begin(), fill.entries.end());

    const std::string strRemembered = store.GetString("Settings", "Drive", "");
    const std::string strCurrent = strRemembered.empty() ? fileSystem.GetCurrentFolder() : "";
    fill.nSelected = MatchRememberedDrive(fill.entries, strRemembered, strCurrent);
    if (fill.nSelected >= 0)
    {
        const std::string& strEntry = fill.entries[static_cast<size_t>(fill.nSelected)];
        store.SetString("Settings", "Drive", std::string(1, ToUpperAsciiChar(strEntry[2])));
    }
    return fill;
}
