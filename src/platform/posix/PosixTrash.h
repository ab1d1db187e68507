#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <sys/stat.h>

// The freedesktop.org trash: the home trash for files on the home trash's
// file system, else the top-directory trash of the file's own mount
// ($topdir/.Trash/$uid when .Trash is a sticky folder and no link, else
// $topdir/.Trash-$uid). A file is never copied between file systems: what
// cannot be renamed into a trash stays where it was.
class CPosixTrash
{
public:
    // Moves strName, a non-folder entry of the open folder nFolderFd, into a
    // trash. strHostPath is the entry's full host path (recorded in the
    // .trashinfo); expected is what the caller verified the entry to be: the
    // entry is refused when it is no longer that file, and put back when it
    // was swapped while being renamed. The .trashinfo is written completely
    // (created exclusively) before the rename and removed again when the
    // rename fails; records that a killed process left without their file
    // are removed first (SweepLeftTrashRecords).
    // pRecord, when given, receives the host path of the entry's .trashinfo.
    static bool TrashEntry(int nFolderFd, const std::string& strName,
                           const std::string& strHostPath, const struct stat& expected,
                           std::string* pRecord = nullptr);

    // $XDG_DATA_HOME/Trash, else $HOME/.local/share/Trash, else the password
    // database's home; a relative setting is ignored. Empty when no absolute
    // home can be found.
    static std::string HomeTrashFolder();

    // "Path=" value: every byte outside the URI unreserved set and "/" as %XX.
    static std::string EncodeTrashPath(const std::string& strPath);
    // The reverse: "%XX" back to its byte; false for a malformed escape.
    static bool DecodeTrashPath(const std::string& strEncoded, std::string& strPath);
    // "DeletionDate=" value: local time as YYYY-MM-DDThh:mm:ss.
    static std::string FormatDeletionDate(std::time_t now);
    // The .trashinfo text: the format's keys, then the line naming the
    // process that writes it (PosixTrashRecords.h).
    static std::string TrashInfoText(const std::string& strPath, std::time_t now,
                                     uint32_t nProcessId);
};
