#include "platform/posix/CPosixFileSystem.h"

// Stub: replaced by the real POSIX file system.
CPosixFileSystem::CPosixFileSystem(CDriveMap driveMap) : m_driveMap(std::move(driveMap)) {}
std::unique_ptr<IFolderListing> CPosixFileSystem::OpenListing(const std::string&) { return nullptr; }
bool CPosixFileSystem::GetAttributes(const std::string&, uint32_t&) { return false; }
bool CPosixFileSystem::SetAttributes(const std::string&, uint32_t) { return false; }
bool CPosixFileSystem::RemoveFile(const std::string&, const SFileIdentity&) { return false; }
bool CPosixFileSystem::CopyFileTo(const std::string&, const std::string&, bool, const SFileIdentity&) { return false; }
bool CPosixFileSystem::MakeFolder(const std::string&) { return false; }
bool CPosixFileSystem::OpenForSize(const std::string&, uint32_t&, uint32_t&, SFileIdentity&) { return false; }
bool CPosixFileSystem::IsFolderAccessible(const std::string&) { return false; }
bool CPosixFileSystem::ReadWholeFile(const std::string&, std::string&) { return false; }
std::unique_ptr<ITextFile> CPosixFileSystem::CreateTextFile(const std::string&) { return nullptr; }
std::string CPosixFileSystem::GetCurrentFolder() { return "C:\\"; }
std::string CPosixFileSystem::GetWindowsFolder() { return "C:\\etc"; }
int32_t CPosixFileSystem::GetPlatformId() { return 2; }
std::vector<std::string> CPosixFileSystem::ListDrives() { return {"C:"}; }
