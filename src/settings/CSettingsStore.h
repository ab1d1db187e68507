#pragma once

#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// What a read found in the store.
enum class EStoredValue
{
    Found,      // the value, up to 259 characters
    Absent,     // no such section or value
    TooLong,    // there, but longer than the store's read limit of 259
    Unreadable, // the hive holding it is there and cannot be read
};

// Reads and writes single values in sections (sub-keys) of one base key.
// Every read has a default and every failure is silent. No key is kept open
// between calls.
//
// Settings that exist but cannot be read are told apart from absent ones:
// once a read (or opening the base) finds a hive that is there and cannot be
// read, IsUnreadable() says so and every write to that hive is refused, so
// that the defaults read instead never replace the settings that are there.
// Reads go on falling back to their defaults (the program still starts), but
// nothing may dispose of files on them.
//
// Over a read-only registry the store only reads: SetBaseKey opens the base
// for reading (it exists or the call fails), and every write fails.
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
    // are handed back when asked for; the caller closes the key. Read-only,
    // it opens the key only if it is there (disposition: opened).
    bool SetBaseKey(ERegistryHive hive, const std::string& strPath,
                    std::unique_ptr<IRegistryKey>* ppKey = nullptr,
                    EKeyDisposition* pDisposition = nullptr);
    std::string GetBaseKey() const;

    int32_t GetInt(const std::string& strSection, const std::string& strName, int32_t nDefault);
    bool SetInt(const std::string& strSection, const std::string& strName, int32_t nValue);
    std::string GetString(const std::string& strSection, const std::string& strName,
                          const std::string& strDefault);
    // Reads like GetString and says what was found; strText is the value when
    // Found and empty otherwise.
    EStoredValue ReadString(const std::string& strSection, const std::string& strName,
                            std::string& strText);
    bool SetString(const std::string& strSection, const std::string& strName,
                   const std::string& strText);
    // Writes several values of one section as one write: all of them or none
    // where the registry has transactions, else in the order given and
    // stopping at the first failure, so the last value is written only after
    // every other one. False when not every value was written.
    bool SetStrings(const std::string& strSection,
                    const std::vector<std::pair<std::string, std::string>>& values);

    // Copies "<Windows folder>\Scrubix.INI" into a newly created base key,
    // reading the file in pieces. True when the import ran to its end: no
    // file, the whole file read, or stopped by a section that could not be
    // created; false when reading the file failed part way.
    bool ImportIni(IRegistryKey& baseKey, IFileSystem& fileSystem);

    // True once a hive was found to exist and not to be readable (see above);
    // from then on the settings read are defaults, not the user's. Stays true
    // for the life of the store. Any thread.
    bool IsUnreadable() const;
    // The first hive found unreadable, named as the user would look for it
    // (the database file on Linux, "HKEY_LOCAL_MACHINE" on Windows); empty
    // while IsUnreadable() is false.
    std::string UnreadableHiveName() const;

    IRegistry& Registry() const { return m_registry; }
    // True when the registry beneath only reads: nothing the store is asked
    // to write is written.
    bool IsReadOnly() const { return m_registry.IsReadOnly(); }

    std::unique_lock<std::recursive_mutex> Lock() const
    {
        return std::unique_lock<std::recursive_mutex>(m_lock);
    }

    static constexpr size_t READ_BUFFER_SIZE = 260;

private:
    std::string SectionPath(const std::string& strSection) const;
    // Asks the registry whether the hive is unreadable and records it.
    bool CheckUnreadable(ERegistryHive hive);

    IRegistry& m_registry;
    mutable std::recursive_mutex m_lock;
    std::string m_strBasePath;
    ERegistryHive m_hive = ERegistryHive::LocalMachine;
    bool m_abUnreadable[2] = {false, false}; // by hive
    std::string m_strUnreadableHive;
};

// "Software\Halvorne Software\Scrubix"
std::string ComposeBaseKeyPath();
inline constexpr const char* APP_NAME = "Scrubix";

// Parses like the C runtime's atoi-with-check: leading white space skipped,
// optional sign, digits; anything after them ignored. False when the text does
// not start with a number.
bool ParseLeadingInt(const std::string& strText, int32_t& nValue);
