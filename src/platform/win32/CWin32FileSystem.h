#pragma once

#include "platform/IFileSystem.h"
#include "platform/win32/CWin32DriveMap.h"

// The file system through the Win32 file API. Operations that act on one
// reviewed file (delete, copy source, size) open exactly that file: a link
// at the name is taken as itself, a link on the way there fails the call,
// and a known identity must still match.
class CWin32FileSystem : public IFileSystem
{
public:
    explicit CWin32FileSystem(CWin32DriveMap driveMap);

    std::unique_ptr<IFolderListing> OpenListing(const std::string& strFolder) override;
    bool GetAttributes(const std::string& strPath, uint32_t& nAttributes) override;
    using IFileSystem::SetAttributes;
    bool SetAttributes(const std::string& strPath, uint32_t nAttributes,
                       const SFileIdentity& expected) override;
    bool RemoveFile(const std::string& strPath, const SFileIdentity& expected) override;
    bool CopyFileTo(const std::string& strSource, const std::string& strDestination,
                    bool bFailIfExists, const SFileIdentity& expectedSource) override;
    int RemoveStaleCopies(const std::string& strFolder) override;
    bool MakeFolder(const std::string& strPath) override;
    // Renames the checked file through its own handle (FileRenameInfo, never
    // replacing: as MoveFileEx without MOVEFILE_REPLACE_EXISTING) into a
    // folder reached without a junction or link; the default's copy only
    // between volumes.
    EPutBack MoveNoReplace(const std::string& strSource, const std::string& strDestination,
                           const SFileIdentity& expectedSource) override;
    bool OpenForSize(const std::string& strPath, uint32_t& nSizeHigh, uint32_t& nSizeLow,
                     SFileIdentity& identity) override;
    bool IsFolderAccessible(const std::string& strPath) override;
    bool ReadWholeFile(const std::string& strPath, std::string& strContents) override;
    std::unique_ptr<IFileReader> OpenFileReader(const std::string& strPath) override;
    std::unique_ptr<ITextFile> CreateTextFile(const std::string& strPath) override;
    std::string GetCurrentFolder() override;
    std::string GetWindowsFolder() override;
    int32_t GetPlatformId() override;
    std::vector<std::string> ListDrives() override;
    // The Windows folder, seen through the drive map.
    std::vector<std::string> ListSystemFolders() override;

    const CWin32DriveMap& DriveMap() const { return m_driveMap; }

private:
    CWin32DriveMap m_driveMap;
};
