#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ERegistryHive
{
    LocalMachine, // HKEY_LOCAL_MACHINE
    CurrentUser,  // HKEY_CURRENT_USER
};

enum class EKeyDisposition
{
    CreatedNewKey,
    OpenedExistingKey,
};

// How a registry is opened: a read-only one creates nothing (no key, no value,
// no file or folder to hold a hive) and refuses every write.
enum class ERegistryAccess
{
    ReadWrite,
    ReadOnly,
};

constexpr uint32_t REG_TYPE_SZ = 1;

// What a key path may hold, as on Windows: at most this many key names below
// the hive, each at most this many characters long. No backend creates a key
// beyond either.
constexpr size_t REGISTRY_MAX_KEY_DEPTH = 512;
constexpr size_t REGISTRY_MAX_KEY_NAME = 255;

// One open key. Closed by its destructor (or Close). Key paths use
// backslashes; keys and value names compare case-insensitively (ASCII).
class IRegistryKey
{
public:
    virtual ~IRegistryKey() = default;
    // Reads a value's bytes into a buffer of nBufferSize bytes. Fails when the
    // value is absent or needs more than nBufferSize bytes; then nothing is
    // copied, and nRead is the size the value needs (more than nBufferSize)
    // when it is too long, 0 otherwise. The type is reported but callers may
    // ignore it.
    virtual bool QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize,
                            size_t& nRead, uint32_t& nType) = 0;
    // Writes a REG_SZ value: the text and its terminating NUL.
    virtual bool SetStringValue(const std::string& strName, const std::string& strText) = 0;
    // Creates or opens a sub-key for writing; within the same limits as
    // IRegistry::CreateKey, counted from the hive.
    virtual std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) = 0;
    virtual void Close() = 0;
};

struct SRegistryValue
{
    std::string strName;
    uint32_t nType = REG_TYPE_SZ;
    std::string strData; // raw bytes (REG_SZ includes the NUL)
};

// A key with the values to write into it, for writes done as one batch.
struct SRegistryKeyValues
{
    std::string strPath;
    std::vector<SRegistryValue> values;
};

// A lock held by TryLock; released by the destructor.
class IRegistryLock
{
public:
    virtual ~IRegistryLock() = default;
};

class IRegistry
{
public:
    virtual ~IRegistry() = default;
    // Creates (with every missing key on the way) or opens a key for writing.
    // nullptr when it cannot be created or the hive cannot be written, and
    // when it would lie deeper than REGISTRY_MAX_KEY_DEPTH or a name on its
    // path is longer than REGISTRY_MAX_KEY_NAME (so also for SetValue and
    // WriteKeys, which create the keys they write into).
    virtual std::unique_ptr<IRegistryKey> CreateKey(ERegistryHive hive, const std::string& strPath,
                                                    EKeyDisposition& disposition) = 0;
    // Opens an existing key for reading; nullptr when it does not exist or
    // cannot be read.
    virtual std::unique_ptr<IRegistryKey> OpenKey(ERegistryHive hive,
                                                  const std::string& strPath) = 0;

    // True when the hive is there but cannot be read: its store exists and
    // cannot be opened (no permission, something else in its place), or a
    // read of it failed for another reason than an absent key or value. A
    // hive that does not exist yet is not unreadable: it simply holds nothing.
    // Opens the hive if nothing has yet. Any thread.
    virtual bool IsHiveUnreadable(ERegistryHive hive) = 0;
    // The hive as the user would look for it: the database file on Linux,
    // "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER" on Windows.
    virtual std::string HiveName(ERegistryHive hive) const = 0;
    // True for a registry opened read-only: every create, set and delete
    // fails and changes nothing.
    virtual bool IsReadOnly() const { return false; }

    // Enumeration and deletion: used by tools (scrubix-reg) and by the
    // first-start seeding.
    virtual bool EnumValues(ERegistryHive hive, const std::string& strPath,
                            std::vector<SRegistryValue>& values) = 0;
    virtual bool EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                             std::vector<std::string>& names) = 0;
    virtual bool DeleteValue(ERegistryHive hive, const std::string& strPath,
                             const std::string& strName) = 0;
    virtual bool DeleteKey(ERegistryHive hive, const std::string& strPath) = 0; // with sub-keys
    virtual bool SetValue(ERegistryHive hive, const std::string& strPath,
                          const SRegistryValue& value) = 0;
    // Creates every key (with its missing parents) and writes every value.
    // All of it or none of it where the backend has transactions; otherwise
    // in order, stopping at the first failure.
    virtual bool WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys) = 0;

    // Takes the lock of this name over the hive's store for every process
    // that uses the same store, or gives nullptr while another holder has it
    // (another process, or another call in this one). The lock is held until
    // the object given back is destroyed, on the thread that took it, or its
    // process ends, a kill included. A registry that no other process can
    // reach grants every lock.

    // Named records kept beside the hives (the last move pass's list of
    // files): small texts read and replaced whole. A reader sees the old
    // record or the new one, never a part of either: a record is written
    // under a temporary name, flushed to the disk and then renamed over the
    // old one, and a temporary left by a killed writer is never read. One
    // writer at a time: callers hold a lock (TryLock) that keeps other
    // writers of the same record away. Where the registry keeps no records,
    // reads find none and writes fail.
    virtual bool ReadRecord(const std::string& /*strName*/, std::string& /*strContents*/)
    {
        return false;
    }
    virtual bool ReplaceRecord(const std::string& /*strName*/, const std::string& /*strContents*/)
    {
        return false;
    }
    // True when the record is gone (or was never there).
    virtual bool RemoveRecord(const std::string& /*strName*/) { return false; }

    virtual std::unique_ptr<IRegistryLock> TryLock(ERegistryHive /*hive*/,
                                                   const std::string& /*strName*/)
    {
        return std::make_unique<IRegistryLock>();
    }
};
