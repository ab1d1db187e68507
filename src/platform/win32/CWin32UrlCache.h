#pragma once

#include "platform/IUrlCache.h"

// The browser's URL cache through wininet. The caller's buffer receives an
// INTERNET_CACHE_ENTRY_INFOA record whose strings live in the same buffer.
class CWin32UrlCache : public IUrlCache
{
public:
    std::unique_ptr<IEnumeration> FindFirst(void* pBuffer, uint32_t& nSize) override;
    SUrlCacheRecord ReadRecord(const void* pBuffer) override;
    bool DeleteEntry(const std::string& strSourceUrl) override;
};
