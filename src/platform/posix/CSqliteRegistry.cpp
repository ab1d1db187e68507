#include "platform/posix/CSqliteRegistry.h"

#include <cstdlib>

// Stub: replaced by the real SQLite registry.
CSqliteRegistry::CSqliteRegistry(std::string strFolder) : m_strFolder(std::move(strFolder)) {}
CSqliteRegistry::~CSqliteRegistry() = default;
std::string CSqliteRegistry::FolderFromEnvironment()
{
    if (const char* p = std::getenv("SCRUBIX_REGISTRY_DIR"))
        return p;
    return {};
}
std::unique_ptr<IRegistryKey> CSqliteRegistry::CreateKey(ERegistryHive, const std::string&, EKeyDisposition&) { return nullptr; }
std::unique_ptr<IRegistryKey> CSqliteRegistry::OpenKey(ERegistryHive, const std::string&) { return nullptr; }
bool CSqliteRegistry::EnumValues(ERegistryHive, const std::string&, std::vector<SRegistryValue>&) { return false; }
bool CSqliteRegistry::EnumSubKeys(ERegistryHive, const std::string&, std::vector<std::string>&) { return false; }
bool CSqliteRegistry::DeleteValue(ERegistryHive, const std::string&, const std::string&) { return false; }
bool CSqliteRegistry::DeleteKey(ERegistryHive, const std::string&) { return false; }
bool CSqliteRegistry::SetValue(ERegistryHive, const std::string&, const SRegistryValue&) { return false; }
std::vector<std::string> CSqliteRegistry::BackingFiles() const { return {}; }
