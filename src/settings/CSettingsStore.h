#pragma once

#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

// Reads and writes single values in sections (sub-keys) of one base key.
// Every read has a default and every failure is silent. No key is kept open
// between calls.
//
// Thread safety: each call is atomic. A caller that re-points the base (reads
// a foreign key, then restores the base) holds Lock() across the whole unit,
// so no other thread's call can land on the foreign key.
class CSettingsStore
{
public:
    explicit CSettingsStore(IRegistry& registry);

    // Records hive and path as the base (even when the call then fails), then
    // creates or opens that key for writing. The open key and its disposition
    // are handed back when asked for; the caller closes the key.
    bool SetBaseKey(ERegistryHive hive, const std::string& strPath,
                    std::unique_ptr<IRegistryKey>* ppKey = nullptr,
                    EKeyDisposition* pDisposition = nullptr);
    std::string GetBaseKey() const;

    int32_t GetInt(const std::string& strSection, const std::string& strName, int32_t nDefault);
    bool SetInt(const std::string& strSection, const std::string& strName, int32_t nValue);
    std::string GetString(const std::string& strSection, const std::string& strName,
                          const std::string& strDefault);
    bool SetString(const std::string& strSection, const std::string& strName,
                   const std::string& strText);

    // Copies "<Windows folder>\Scrubix.INI" into a newly created base key.
    void ImportIni(IRegistryKey& baseKey, IFileSystem& fileSystem);

    std::unique_lock<std::recursive_mutex> Lock() const
    {
        return std::unique_lock<std::recursive_mutex>(m_lock);
    }

    static constexpr size_t READ_BUFFER_SIZE = 260;

private:
    std::string SectionPath(const std::string& strSection) const;

    IRegistry& m_registry;
    mutable std::recursive_mutex m_lock;
    std::string m_strBasePath;
    ERegistryHive m_hive = ERegistryHive::LocalMachine;
};

// "Software\Halvorne Software\Scrubix"
std::string ComposeBaseKeyPath();
inline constexpr const char* APP_NAME = "Scrubix";

// Parses like the C runtime's atoi-with-check: leading white space skipped,
// optional sign, digits; anything after them ignored. False when the text does
// not start with a number.
bool ParseLeadingInt(const std::string& strText, int32_t& nValue);
