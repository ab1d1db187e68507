#pragma once

#include <string>

// The copy temporaries of CopyTemporaryName.h on POSIX.

// A fresh temporary name for this process.
std::string PosixNewCopyTemporaryName();

// Gives the temporary strFrom of the open folder nFolderFd the name strTo,
// never replacing a file already there: renameat2 with RENAME_NOREPLACE, or,
// where the file system refuses that flag, PosixLinkNoReplace. False when
// strTo exists (strFrom is then still there) or the rename failed.
bool PosixRenameNoReplace(int nFolderFd, const std::string& strFrom, const std::string& strTo);
// The same through a hard link to the new name and the removal of the old:
// link() never replaces either. The old name stays when the new one could
// not be made.
bool PosixLinkNoReplace(int nFolderFd, const std::string& strFrom, const std::string& strTo);

// Removes the regular files of the open folder nFolderFd whose names are
// copy temporaries of processes that are gone. Returns how many it removed.
int PosixRemoveStaleCopies(int nFolderFd);
