#pragma once

#include <optional>
#include <string>
#include <vector>

// Where the program's drive letters are. Normally every letter is the real
// drive of that letter and paths pass through unchanged. SCRUBIX_DRIVES
// ("C:=C:\Temp\sandbox\c;D:=E:\data") replaces the whole table, as on
// Linux: a letter then names a folder, and letters outside the table do not
// exist. Tests and demonstrations use it to keep off the real drives. Set
// means the override even when it is empty, blank or has no valid entry:
// that table has no drives, and every path is refused.
//
// Program paths are normalised as the Win32 API does ("/" and "\" separate,
// repeated separators collapse, "." goes, ".." goes up but never above the
// drive root), so a mapped path never leaves its folder.
class CWin32DriveMap
{
public:
    struct SDrive
    {
        char cLetter = 'C';      // upper case
        std::string strHostRoot; // absolute Windows path, no trailing "\"
    };

    // The real drives, every path passed through.
    CWin32DriveMap() = default;
    // Exactly these drives (none: no path maps).
    explicit CWin32DriveMap(std::vector<SDrive> drives);
    static CWin32DriveMap FromEnvironment();
    // Entries that are not a letter, ":=" and an absolute path are ignored;
    // the first entry for a letter wins.
    static CWin32DriveMap FromOverride(const std::string& strOverride);

    // True only for the real drives, never for an override, however few
    // drives it names.
    bool IsIdentity() const { return m_bIdentity; }

    // "C:\dir\file" -> the path to hand to the Win32 API; nullopt for a path
    // that is not "X:..." in Windows form or names a drive outside the table.
    std::optional<std::string> ToHost(const std::string& strPath) const;
    // A Win32 path back to the program's form through the longest matching
    // root; a drive root reads "C:\". nullopt outside every drive.
    std::optional<std::string> ToProgram(const std::string& strHostPath) const;

    const std::vector<SDrive>& Drives() const { return m_drives; }

private:
    bool m_bIdentity = true;
    std::vector<SDrive> m_drives;
};
