#pragma once

#include "platform/IFileSystem.h"

#include <functional>
#include <string>

// The real file system with a hook that runs just before an attribute change
// reaches it: the moment between the disposal's checks and its act, where a
// race test changes the tree.
class CHookedFileSystem : public IFileSystem
{
public:
    explicit CHookedFileSystem(IFileSystem& fileSystem) : m_fileSystem(fileSystem) {}

    // Runs once, before the next SetAttributes, with its path.
    std::function<void(const std::string&)> m_beforeSetAttributes;

    std::unique_ptr<IFolderListing> OpenListing(const std::string& strFolder) override
    {
        return m_fileSystem.OpenListing(strFolder);
    }
    bool GetAttributes(const std::string& strPath, uint32_t& nAttributes) override
    {
        return m_fileSystem.GetAttributes(strPath, nAttributes);
    }
    using IFileSystem::SetAttributes;
    bool SetAttributes(const std::string& strPath, uint32_t nAttributes,
                       const SFileIdentity& expected) override
    {
        if (m_beforeSetAttributes)
        {
            const auto hook = std::move(m_beforeSetAttributes);
            m_beforeSetAttributes = nullptr;
            hook(strPath);
        }
        return m_fileSystem.SetAttributes(strPath, nAttributes, expected);
    }
    bool RemoveFile(const std::string& strPath, const SFileIdentity& expected) override
    {
        return m_fileSystem.RemoveFile(strPath, expected);
    }
    bool CopyFileTo(const std::string& strSource, const std::string& strDestination,
                    bool bFailIfExists, const SFileIdentity& expectedSource) override
    {
        return m_fileSystem.CopyFileTo(strSource, strDestination, bFailIfExists, expectedSource);
    }
    int RemoveStaleCopies(const std::string& strFolder) override
    {
        return m_fileSystem.RemoveStaleCopies(strFolder);
    }
    bool MakeFolder(const std::string& strPath) override
    {
        return m_fileSystem.MakeFolder(strPath);
    }
    EPutBack MoveNoReplace(const std::string& strSource, const std::string& strDestination,
                           const SFileIdentity& expectedSource) override
    {
        return m_fileSystem.MoveNoReplace(strSource, strDestination, expectedSource);
    }
    bool OpenForSize(const std::string& strPath, uint32_t& nSizeHigh, uint32_t& nSizeLow,
                     SFileIdentity& identity) override
    {
        return m_fileSystem.OpenForSize(strPath, nSizeHigh, nSizeLow, identity);
    }
    bool IsFolderAccessible(const std::string& strPath) override
    {
        return m_fileSystem.IsFolderAccessible(strPath);
    }
    bool ReadWholeFile(const std::string& strPath, std::string& strContents) override
    {
        return m_fileSystem.ReadWholeFile(strPath, strContents);
    }
    std::unique_ptr<IFileReader> OpenFileReader(const std::string& strPath) override
    {
        return m_fileSystem.OpenFileReader(strPath);
    }
    std::unique_ptr<ITextFile> CreateTextFile(const std::string& strPath) override
    {
        return m_fileSystem.CreateTextFile(strPath);
    }
    std::string GetCurrentFolder() override { return m_fileSystem.GetCurrentFolder(); }
    std::string GetWindowsFolder() override { return m_fileSystem.GetWindowsFolder(); }
    int32_t GetPlatformId() override { return m_fileSystem.GetPlatformId(); }
    std::vector<std::string> ListDrives() override { return m_fileSystem.ListDrives(); }
    std::string DescribeDrive(const std::string& strDrive) override
    {
        return m_fileSystem.DescribeDrive(strDrive);
    }
    std::optional<std::string> WindowsPathOf(const std::string& strHostPath) override
    {
        return m_fileSystem.WindowsPathOf(strHostPath);
    }

private:
    IFileSystem& m_fileSystem;
};
