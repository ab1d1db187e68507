#pragma once

#include <optional>
#include <string>
#include <vector>

// Maps drive letters to host folders. Default: C: is "/", and each other
// mounted block-device file system gets the next free letter in mount order.
// SCRUBIX_DRIVES="C:=/tmp/sandbox;D:=/mnt/data" replaces the whole table.
class CDriveMap
{
public:
    struct SDrive
    {
        char cLetter = 'C';    // upper case
        std::string strHostRoot; // absolute, no trailing "/" (except "/")
    };

    CDriveMap() = default;
    explicit CDriveMap(std::vector<SDrive> drives);
    static CDriveMap FromEnvironment();

    // "C:\dir\file" -> "/host/dir/file"; nullopt for an unmapped drive or a
    // path that is not in Windows form.
    std::optional<std::string> ToHost(const std::string& strWindowsPath) const;
    // Longest matching drive root; nullopt outside every drive or for a name
    // that has no Windows form (a backslash in it).
    std::optional<std::string> ToWindows(const std::string& strHostPath) const;

    const std::vector<SDrive>& Drives() const { return m_drives; }

private:
    std::vector<SDrive> m_drives;
};
