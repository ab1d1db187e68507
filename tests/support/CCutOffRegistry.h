#pragma once

#include "platform/IRegistry.h"

#include <memory>

// A registry whose writes stop after a chosen number: every later write
// fails and changes nothing, so what is stored is exactly what a process
// killed at that point would have left behind. Reads pass through.
class CCutOffRegistry : public IRegistry
{
public:
    CCutOffRegistry(IRegistry& registry, int nWrites) : m_registry(registry), m_nLeft(nWrites) {}

    int WritesDone() const { return m_nDone; }

    std::unique_ptr<IRegistryKey> CreateKey(ERegistryHive hive, const std::string& strPath,
                                            EKeyDisposition& disposition) override
    {
        if (!Write())
            return nullptr;
        auto pKey = m_registry.CreateKey(hive, strPath, disposition);
        return pKey ? std::make_unique<CKey>(*this, std::move(pKey)) : nullptr;
    }
    std::unique_ptr<IRegistryKey> OpenKey(ERegistryHive hive, const std::string& strPath) override
    {
        auto pKey = m_registry.OpenKey(hive, strPath);
        return pKey ? std::make_unique<CKey>(*this, std::move(pKey)) : nullptr;
    }
    bool IsHiveUnreadable(ERegistryHive hive) override { return m_registry.IsHiveUnreadable(hive); }
    std::string HiveName(ERegistryHive hive) const override { return m_registry.HiveName(hive); }
    bool EnumValues(ERegistryHive hive, const std::string& strPath,
                    std::vector<SRegistryValue>& values) override
    {
        return m_registry.EnumValues(hive, strPath, values);
    }
    bool EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                     std::vector<std::string>& names) override
    {
        return m_registry.EnumSubKeys(hive, strPath, names);
    }
    bool DeleteValue(ERegistryHive hive, const std::string& strPath,
                     const std::string& strName) override
    {
        return Write() && m_registry.DeleteValue(hive, strPath, strName);
    }
    bool DeleteKey(ERegistryHive hive, const std::string& strPath) override
    {
        return Write() && m_registry.DeleteKey(hive, strPath);
    }
    bool SetValue(ERegistryHive hive, const std::string& strPath,
                  const SRegistryValue& value) override
    {
        return Write() && m_registry.SetValue(hive, strPath, value);
    }
    bool WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys) override
    {
        return Write() && m_registry.WriteKeys(hive, keys);
    }

private:
    class CKey : public IRegistryKey
    {
    public:
        CKey(CCutOffRegistry& owner, std::unique_ptr<IRegistryKey> pKey)
            : m_owner(owner), m_pKey(std::move(pKey))
        {
        }
        bool QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize,
                        size_t& nRead, uint32_t& nType) override
        {
            return m_pKey->QueryValue(strName, pBuffer, nBufferSize, nRead, nType);
        }
        bool SetStringValue(const std::string& strName, const std::string& strText) override
        {
            return m_owner.Write() && m_pKey->SetStringValue(strName, strText);
        }
        std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) override
        {
            if (!m_owner.Write())
                return nullptr;
            auto pKey = m_pKey->CreateSubKey(strPath);
            return pKey ? std::make_unique<CKey>(m_owner, std::move(pKey)) : nullptr;
        }
        void Close() override { m_pKey->Close(); }

    private:
        CCutOffRegistry& m_owner;
        std::unique_ptr<IRegistryKey> m_pKey;
    };

    bool Write()
    {
        if (m_nLeft <= 0)
            return false;
        --m_nLeft;
        ++m_nDone;
        return true;
    }

    IRegistry& m_registry;
    int m_nLeft;
    int m_nDone = 0;
};
