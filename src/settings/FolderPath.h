#pragma once

#include <string>

// A folder entry of the Filters or Folders to Delete list read the way the
// file system reads it: "\" and "/" both separate components, repeated
// separators collapse, "." is dropped and ".." takes the previous component
// away. Lexical only; nothing is looked up.
struct SFolderPath
{
    // "C:" for a drive root, "C:\dir\sub" below one; "\\server\share" and
    // "\\server\share\dir" for a network path. The text unchanged when it is
    // not a full path.
    std::string strPath;
    // Starts with a drive letter and a colon followed by nothing or a
    // separator, or with "\\" and a server and share name. Anything else
    // ("C:dir", "\dir", "dir", "..") depends on a current folder.
    bool bFullPath = false;
    // A full path that names the root of its drive or share once resolved
    // ("C:\.", "C:\etc\..") or whose ".." would climb above that root
    // ("C:\..\Temp"): it stands for the whole drive.
    bool bDriveRoot = false;
};

SFolderPath ResolveFolderPath(const std::string& strPath);

// The text a list should keep for an entry: the entry as it was written when
// resolving changes nothing but one trailing backslash, the resolved path
// otherwise. Entries that are not full paths are returned as they are.
std::string ResolvedFolderEntry(const std::string& strEntry, const SFolderPath& folder);

// True when strFolder is strAncestor or lies below it. Both sides are
// resolved first and compared with ASCII letter case ignored.
bool IsSameOrBelowFolder(const std::string& strFolder, const std::string& strAncestor);
