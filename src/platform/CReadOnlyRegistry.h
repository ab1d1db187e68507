#pragma once

#include "platform/IRegistry.h"

#include <memory>
#include <utility>

// A registry seen through a read-only view: reads reach the registry beneath,
// every create, set and delete fails without touching it. For a backend that
// has no read-only mode of its own. Thread-safe as the registry beneath is.
class CReadOnlyRegistry : public IRegistry
{
public:
    explicit CReadOnlyRegistry(std::unique_ptr<IRegistry> pRegistry)
        : m_pRegistry(std::move(pRegistry))
    {
    }

    std::unique_ptr<IRegistryKey> CreateKey(ERegistryHive, const std::string&,
                                            EKeyDisposition&) override
    {
        return nullptr;
    }
    // The key is opened for reading, so its own writes fail as well.
    std::unique_ptr<IRegistryKey> OpenKey(ERegistryHive hive, const std::string& strPath) override
    {
        return m_pRegistry->OpenKey(hive, strPath);
    }
    bool IsHiveUnreadable(ERegistryHive hive) override
    {
        return m_pRegistry->IsHiveUnreadable(hive);
    }
    std::string HiveName(ERegistryHive hive) const override { return m_pRegistry->HiveName(hive); }
    bool IsReadOnly() const override { return true; }
    bool EnumValues(ERegistryHive hive, const std::string& strPath,
                    std::vector<SRegistryValue>& values) override
    {
        return m_pRegistry->EnumValues(hive, strPath, values);
    }
    bool EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                     std::vector<std::string>& names) override
    {
        return m_pRegistry->EnumSubKeys(hive, strPath, names);
    }
    bool DeleteValue(ERegistryHive, const std::string&, const std::string&) override
    {
        return false;
    }
    bool DeleteKey(ERegistryHive, const std::string&) override { return false; }
    bool SetValue(ERegistryHive, const std::string&, const SRegistryValue&) override
    {
        return false;
    }
    bool WriteKeys(ERegistryHive, const std::vector<SRegistryKeyValues>&) override { return false; }
    bool ReadRecord(const std::string& strName, std::string& strContents) override
    {
        return m_pRegistry->ReadRecord(strName, strContents);
    }
    bool ReplaceRecord(const std::string&, const std::string&) override { return false; }
    bool RemoveRecord(const std::string&) override { return false; }

private:
    std::unique_ptr<IRegistry> m_pRegistry;
};
