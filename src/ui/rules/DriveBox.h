#pragma once

#include <string>
#include <vector>

class CSettingsStore;
class IFileSystem;

// The drive box's entry for a drive ("C:"): "[-c-]", the letter lower-case as
// the third character. A known host folder follows after a blank
// ("[-c-] /srv/data"), so the letter stays the third character.
std::string DriveBoxEntry(const std::string& strDrive, const std::string& strHostFolder);

// An entry's two parts: the letter part ("[-c-]"), which the closed box always
// shows whole, and the host folder after it (empty when the entry has none).
// The closed box shows the letter and as much of the folder's end as fits,
// leaving out its middle ("[-c-] .../drive-one"): mapped folders often share
// their beginning and differ at the end. The folder whole is the box's tool
// tip.
struct SDriveBoxEntryParts
{
    std::string strLetter;
    std::string strFolder;

    bool operator==(const SDriveBoxEntryParts&) const = default;
};
SDriveBoxEntryParts SplitDriveBoxEntry(const std::string& strEntry);

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
