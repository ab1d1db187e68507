#pragma once

#include <string>

// Small records kept as files of their own in a folder, replaced whole: the
// text is written to "<name>.tmp-<pid>", flushed, and renamed over "<name>",
// then the folder is flushed. A reader opens "<name>" only, so it sees the
// old record or the new one; a temporary a killed writer left is never read,
// and the next replacement or removal removes it. One writer of a name at a time (the
// caller holds a lock); readers may come at any time.

// False when the record is missing or cannot be read whole.
bool ReadRecordFile(const std::string& strFolder, const std::string& strName,
                    std::string& strContents);
// Makes the folder when it is missing (mode 0700). False when the record could
// not be written; the old record then stays as it was.
bool ReplaceRecordFile(const std::string& strFolder, const std::string& strName,
                       const std::string& strContents);
// True when the record is gone (or was never there).
bool RemoveRecordFile(const std::string& strFolder, const std::string& strName);
