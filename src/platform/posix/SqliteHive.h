#pragma once

#include "platform/IRegistry.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

// "a\\b\\\\c\\" -> {"a", "b", "c"}
std::vector<std::string> SplitKeyPath(const std::string& strPath);

// One hive in its own SQLite file. The connection is opened on first use and
// kept; every call holds the hive's mutex, so it may be shared by threads.
// Key id 0 is the hive's root. When the file cannot be written, the hive
// still reads and every write fails. When the file is there but cannot be
// read (no permission, not a file, failing its integrity check), or a read
// fails, the hive counts as unreadable from then on; an absent file is not.
// Opened read-only, the hive never makes its folder or its file (an absent
// file reads as an empty hive), never moves a damaged file aside, and every
// write fails.
class CSqliteHive
{
public:
    static constexpr int64_t ROOT_KEY = 0;

    CSqliteHive(std::string strFolder, std::string strFilePath,
                ERegistryAccess access = ERegistryAccess::ReadWrite);
    ~CSqliteHive();
    CSqliteHive(const CSqliteHive&) = delete;
    CSqliteHive& operator=(const CSqliteHive&) = delete;

    const std::string& FilePath() const { return m_strFilePath; }
    // Opens the file if nothing has yet; true once it has been found unreadable.
    bool IsUnreadable();

    bool FindKey(int64_t nFrom, const std::vector<std::string>& path, int64_t& nKey);
    // Fails, creating nothing, when the key would lie deeper than
    // REGISTRY_MAX_KEY_DEPTH below the root or a name on the path is longer
    // than REGISTRY_MAX_KEY_NAME; so do SetValueAt and WriteKeys.
    bool CreateKey(int64_t nFrom, const std::vector<std::string>& path, int64_t& nKey,
                   bool& bCreated);
    bool QueryValue(int64_t nKey, const std::string& strName, SRegistryValue& value);
    bool SetValue(int64_t nKey, const SRegistryValue& value);
    bool EnumValues(int64_t nKey, std::vector<SRegistryValue>& values);
    bool EnumSubKeys(int64_t nKey, std::vector<std::string>& names);
    bool DeleteValue(int64_t nKey, const std::string& strName);
    bool DeleteKey(const std::vector<std::string>& path);
    // Creates the key path when missing, then writes the value.
    bool SetValueAt(const std::vector<std::string>& path, const SRegistryValue& value);
    // Creates every key and writes every value, or changes nothing.
    bool WriteKeys(const std::vector<SRegistryKeyValues>& keys);

private:
    sqlite3* Connection();
    sqlite3* OpenChecked(bool& bCorrupt);
    void MoveAside();
    bool EnsureSchema(sqlite3* pDb);
    bool Write(const std::function<bool(sqlite3*)>& body);
    void NoteWriteFailure(int nResult);
    void NoteReadResult(int nResult);

    // Appends the id of each key found on the way to pTrail, when given.
    bool FindKeyLocked(sqlite3* pDb, int64_t nFrom, std::span<const std::string> path,
                       int64_t& nKey, std::vector<int64_t>* pTrail = nullptr);
    bool CreateKeyLocked(sqlite3* pDb, int64_t nFrom, const std::vector<std::string>& path,
                         int64_t& nKey, bool& bCreated);
    bool KeyExistsLocked(sqlite3* pDb, int64_t nKey);
    // True when a key at path below nFrom stays within the registry's limits.
    bool IsWithinLimitsLocked(int64_t nFrom, const std::vector<std::string>& path);
    bool SetValueLocked(sqlite3* pDb, int64_t nKey, const SRegistryValue& value);

    std::string m_strFolder;
    std::string m_strFilePath;
    std::mutex m_mutex;
    sqlite3* m_pDb = nullptr;
    const bool m_bOpenedReadOnly;
    // The path found last from the root and the id of each key on it.
    std::vector<std::string> m_lastPath;
    std::vector<int64_t> m_lastKeys;
    bool m_bReadOnly = false;
    bool m_bUnreadable = false;
};
