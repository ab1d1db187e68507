#pragma once

#include "platform/IUrlCache.h"

// Linux has no browser URL cache of this kind: the enumeration finds nothing.
class CEmptyUrlCache : public IUrlCache
{
public:
    std::unique_ptr<IEnumeration> FindFirst(void*, uint32_t&) override { return nullptr; }
    SUrlCacheRecord ReadRecord(const void*) override { return {}; }
    bool DeleteEntry(const std::string&) override { return false; }
};
