#pragma once

#include <optional>
#include <string>
#include <vector>

// Maps drive letters to host folders. Default: C: is "/", and each other
// mounted block-device file system gets the next free letter in mount order.
// SCRUBIX_DRIVES="C:=/tmp/sandbox;D:=/mnt/data" replaces the whole table
// whenever it is set: set but empty, blank or without one valid entry, it
// gives a table without drives, so every path is refused.
//
// Windows-form paths are parsed as the Win32 API does: "\" and "/" both
// separate components, repeated separators collapse, "." is dropped and ".."
// goes up lexically but never above the drive root. Names are bytes.
class CDriveMap
{
public:
    struct SDrive
    {
        char cLetter = 'C';      // upper case
        std::string strHostRoot; // absolute, no trailing "/" (except "/")
    };

    // A Windows-form path split into its drive's host root and the path below
    // it ("a/b/c", empty for the root itself).
    struct SHostPath
    {
        std::string strRoot;
        std::string strRelative;
    };

    CDriveMap() = default;
    // Drives with a letter that is not A-Z, a letter already taken, or a root
    // that is not absolute or holds a NUL are left out.
    explicit CDriveMap(std::vector<SDrive> drives);
    static CDriveMap FromEnvironment();
    // "C:=/x;D:=/y": entries that are not a letter, ":=" and an absolute path
    // (or that hold a NUL) are ignored; the first entry for a letter wins.
    static CDriveMap FromOverride(const std::string& strOverride);
    // The default table from the text of /proc/self/mountinfo.
    static CDriveMap FromMountInfo(const std::string& strMountInfo);

    // "C:\dir\file" -> "/host/dir/file"; nullopt for an unmapped drive or a
    // path that is not in Windows form.
    std::optional<std::string> ToHost(const std::string& strWindowsPath) const;
    std::optional<SHostPath> Split(const std::string& strWindowsPath) const;
    // Longest matching drive root; nullopt outside every drive or for a name
    // that has no Windows form (a backslash or a NUL in it). A drive root
    // reads "C:\".
    std::optional<std::string> ToWindows(const std::string& strHostPath) const;

    const std::vector<SDrive>& Drives() const { return m_drives; }

private:
    std::vector<SDrive> m_drives;
};
