#pragma once

#include <string>
#include <vector>

class CSettingsStore;
class IFileSystem;

// The drive box's entry for a drive ("C:"): "[-c-]", the letter lower-case as
// the third character. A known host folder follows after a blank
// ("[-c-] /srv/data"), so the letter stays the third character.
std::string DriveBoxEntry(const std::string& strDrive, const std::string& strHostFolder);

// The entries in the box's (sorted) order and the one to select.
struct SDriveBoxFill
{
    std::vector<std::string> entries;
    int nSelected = -1; // -1: no entry selected
};

// Which entry the remembered drive selects: the first entry whose third
// character, upper-cased, equals the first character of strRemembered
// (upper-cased; the first character of strCurrentFolder when strRemembered is
// empty). -1 when none matches or there are no entries.
int MatchRememberedDrive(const std::vector<std::string>& entries, const std::string& strRemembered,
                         const std::string& strCurrentFolder);

// FillDriveBox's rules: one entry per drive of the file system, sorted; the
// remembered Settings\Drive selected. On a match Drive is rewritten as the
// matched letter alone ("C"). When the remembered drive has gone, no entry is
// selected (Search then starts nothing) and Drive keeps its value, so a later
// boot-time run never turns to another drive by itself. UI thread.
SDriveBoxFill FillDriveBox(IFileSystem& fileSystem, CSettingsStore& store);
