#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/CDriveMap.h"

class CPosixFileSystem : public IFileSystem
{
public:
    explicit CPosixFileSystem(CDriveMap driveMap);

    std::unique_ptr<IFolderListing> OpenListing(const std::string& strFolder) override;
    bool GetAttributes(const std::string& strPath, uint32_t& nAttributes) override;
    bool SetAttributes(const std::string& strPath, uint32_t nAttributes) override;
    bool RemoveFile(const std::string& strPath, const SFileIdentity& expected) override;
    bool CopyFileTo(const std::string& strSource, const std::string& strDestination,
                    bool bFailIfExists, const SFileIdentity& expectedSource) override;
    bool MakeFolder(const std::string& strPath) override;
    bool OpenForSize(const std::string& strPath, uint32_t& nSizeHigh, uint32_t& nSizeLow,
                     SFileIdentity& identity) override;
    bool IsFolderAccessible(const std::string& strPath) override;
    bool ReadWholeFile(const std::string& strPath, std::string& strContents) override;
    std::unique_ptr<ITextFile> CreateTextFile(const std::string& strPath) override;
    std::string GetCurrentFolder() override;
    std::string GetWindowsFolder() override;
    int32_t GetPlatformId() override;
    std::vector<std::string> ListDrives() override;

    const CDriveMap& DriveMap() const { return m_driveMap; }

private:
    CDriveMap m_driveMap;
};
