#include "platform/win32/CWin32UrlCache.h"

#include <windows.h>
#include <wininet.h>

namespace
{

class CWin32UrlCacheEnumeration : public IUrlCache::IEnumeration
{
public:
    explicit CWin32UrlCacheEnumeration(HANDLE hFind) : m_hFind(hFind) {}
    ~CWin32UrlCacheEnumeration() override { ::FindCloseUrlCache(m_hFind); }
    CWin32UrlCacheEnumeration(const CWin32UrlCacheEnumeration&) = delete;
    CWin32UrlCacheEnumeration& operator=(const CWin32UrlCacheEnumeration&) = delete;

    bool FindNext(void* pBuffer, uint32_t& nSize) override
    {
        DWORD nBufferSize = nSize;
        const BOOL bFound = ::FindNextUrlCacheEntryA(
            m_hFind, static_cast<LPINTERNET_CACHE_ENTRY_INFOA>(pBuffer), &nBufferSize);
        nSize = nBufferSize;
        return bFound != FALSE;
    }

private:
    HANDLE m_hFind;
};

} // namespace

std::unique_ptr<IUrlCache::IEnumeration> CWin32UrlCache::FindFirst(void* pBuffer, uint32_t& nSize)
{
    DWORD nBufferSize = nSize;
    HANDLE hFind = ::FindFirstUrlCacheEntryA(
        nullptr, static_cast<LPINTERNET_CACHE_ENTRY_INFOA>(pBuffer), &nBufferSize);
    nSize = nBufferSize;
    if (hFind == nullptr)
        return nullptr;
    return std::make_unique<CWin32UrlCacheEnumeration>(hFind);
}

SUrlCacheRecord CWin32UrlCache::ReadRecord(const void* pBuffer)
{
    const auto* pEntry = static_cast<const INTERNET_CACHE_ENTRY_INFOA*>(pBuffer);
    SUrlCacheRecord record;
    if (pEntry->lpszSourceUrlName != nullptr)
        record.strSourceUrl = pEntry->lpszSourceUrlName;
    if (pEntry->lpszLocalFileName != nullptr)
        record.strLocalFile = pEntry->lpszLocalFileName;
    return record;
}

bool CWin32UrlCache::DeleteEntry(const std::string& strSourceUrl)
{
    return ::DeleteUrlCacheEntryA(strSourceUrl.c_str()) != FALSE;
}
