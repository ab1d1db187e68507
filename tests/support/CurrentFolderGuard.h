#pragma once

#include <filesystem>

// Makes a folder current for the life of the guard, then restores the old one.
class CCurrentFolderGuard
{
public:
    explicit CCurrentFolderGuard(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CCurrentFolderGuard()
    {
        std::error_code error;
        std::filesystem::current_path(m_previous, error);
    }
    CCurrentFolderGuard(const CCurrentFolderGuard&) = delete;
    CCurrentFolderGuard& operator=(const CCurrentFolderGuard&) = delete;

private:
    std::filesystem::path m_previous;
};
