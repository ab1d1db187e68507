#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A throw-away world for one test: a temporary folder mapped as drive C:
// (SCRUBIX_DRIVES), a registry folder (SCRUBIX_REGISTRY_DIR), and a home with
// its XDG folders. The environment is set on construction and restored on
// destruction; everything is removed afterwards.
class CSandboxDrive
{
public:
    CSandboxDrive();
    ~CSandboxDrive();
    CSandboxDrive(const CSandboxDrive&) = delete;
    CSandboxDrive& operator=(const CSandboxDrive&) = delete;

    const std::filesystem::path& Root() const { return m_root; }         // the whole sandbox
    const std::filesystem::path& DriveFolder() const { return m_drive; } // C:
    const std::filesystem::path& RegistryFolder() const { return m_registry; }
    const std::filesystem::path& HomeFolder() const { return m_home; }
    std::filesystem::path Outside() const { return m_root / "outside"; } // not on any drive

    // "C:\a\b" -> <drive>/a/b
    std::filesystem::path HostPath(const std::string& strWindowsPath) const;

    // Builds a tree from Windows-form paths: a path ending in "\" is a folder.
    void Build(const std::vector<std::string>& paths);
    void MakeFile(const std::string& strWindowsPath, const std::string& strContents = "x");
    void MakeFolder(const std::string& strWindowsPath);
    void MakeSparseFile(const std::string& strWindowsPath, uint64_t nSize);
    // A symbolic link at the path, pointing to target as given (not resolved).
    void MakeLink(const std::string& strWindowsPath, const std::filesystem::path& target);
    void MakeFifo(const std::string& strWindowsPath);
    std::string ReadFile(const std::string& strWindowsPath) const;
    bool Exists(const std::string& strWindowsPath) const;
    // Replaces the drive table (SCRUBIX_DRIVES) with this text, set even
    // when it is empty; the sandbox's own table comes back on destruction.
    void SetDriveTable(const std::string& strTable);

private:
    struct SSavedVariable
    {
        std::string strName;
        bool bWasSet = false;
        std::string strValue;
    };
    void SetVariable(const std::string& strName, const std::string& strValue);

    std::filesystem::path m_root;
    std::filesystem::path m_drive;
    std::filesystem::path m_registry;
    std::filesystem::path m_home;
    std::vector<SSavedVariable> m_saved;
};
