#pragma once

#include "platform/FileTypes.h"

#include <string>

// Puts a file moved into a freedesktop.org trash back where it came from.
// strRecord is the host path of its record (".../info/NAME.trashinfo"); the
// file is NAME in the same trash's files/. The record must name strHostPath
// (the original's full host path; a top-directory trash records it relative
// to the mount's top directory). nFolderFd is the original's folder, opened
// by the caller beneath its drive root without following a link; strName is
// the original's name in it. The file must still be the one expected names,
// unwritten since; nothing at strName is ever replaced (RENAME_NOREPLACE, or
// a new link where the file system lacks it). A file is never copied between
// file systems. The record is removed once the file is back.
EPutBack RestoreTrashEntry(const std::string& strRecord, int nFolderFd, const std::string& strName,
                           const std::string& strHostPath, const SFileIdentity& expected);

// The file of a record as it lies in files/; false when it is not there.
bool StatTrashedFile(const std::string& strRecord, struct SPosixStatus& status);

// The original path a record names, as written ("Path=", decoded); false for
// a text that is no trash record or names no path.
bool ParseTrashRecordPath(const std::string& strRecord, std::string& strPath);
