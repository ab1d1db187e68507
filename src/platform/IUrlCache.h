#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The browser's URL cache, enumerated into a caller buffer the way the
// platform's Internet library does it. The buffer holds one entry record:
// the record's first 32-bit word is its structure size; SUrlCacheRecord gives
// the core a portable view of a filled buffer.
struct SUrlCacheRecord
{
    std::string strSourceUrl; // the entry's key for deletion
    std::string strLocalFile; // may be empty
};

class IUrlCache
{
public:
    virtual ~IUrlCache() = default;
    // Enumeration handle: nullptr when there is no entry or the call fails
    // (also when the first record needs more than nSize bytes; nSize then
    // reports the size needed).
    class IEnumeration
    {
    public:
        virtual ~IEnumeration() = default;
        // Fetches the next record into pBuffer; nSize in: the buffer size the
        // caller offers, out: the size the record took (or needs, on failure).
        virtual bool FindNext(void* pBuffer, uint32_t& nSize) = 0;
    };
    virtual std::unique_ptr<IEnumeration> FindFirst(void* pBuffer, uint32_t& nSize) = 0;
    // Reads the fields of a record that FindFirst / FindNext wrote.
    virtual SUrlCacheRecord ReadRecord(const void* pBuffer) = 0;
    virtual bool DeleteEntry(const std::string& strSourceUrl) = 0;
};
