#include "search/CListedPaths.h"

#include <functional>

namespace
{
// At most seven slots in eight are used, so a probe always ends at a free one.
bool IsTooFull(size_t nSize, size_t nSlots)
{
    return nSize * 8 >= nSlots * 7;
}
} // namespace

uint64_t CListedPaths::Hash(std::string_view path)
{
    // The library's hash, stirred so that its high bits (the stored tag,
    // whose low bits pick the slot) depend on every byte.
    uint64_t nHash = std::hash<std::string_view>{}(path);
    nHash ^= nHash >> 33;
    nHash *= 0xff51afd7ed558ccdULL;
    nHash ^= nHash >> 33;
    return nHash;
}

bool CListedPaths::Contains(std::string_view path) const
{
    if (m_nSize == 0)
        return false;
    const uint64_t nHash = Hash(path);
    const auto nTag = static_cast<uint32_t>(nHash >> 32);
    const size_t nMask = m_slots.size() - 1;
    for (size_t i = nTag & nMask;; i = (i + 1) & nMask)
    {
        const std::string* pEntry = m_slots[i];
        if (pEntry == nullptr)
            return false;
        if (m_hashes[i] == nTag && *pEntry == path)
            return true;
    }
}

void CListedPaths::Add(const std::string& strPath)
{
    if (m_slots.empty() || IsTooFull(m_nSize + 1, m_slots.size()))
        Grow();
    const auto nTag = static_cast<uint32_t>(Hash(strPath) >> 32);
    const size_t nMask = m_slots.size() - 1;
    size_t i = nTag & nMask;
    while (m_slots[i] != nullptr)
        i = (i + 1) & nMask;
    m_slots[i] = &strPath;
    m_hashes[i] = nTag;
    ++m_nSize;
}

void CListedPaths::Grow()
{
    const size_t nSlots = m_slots.empty() ? 64 : m_slots.size() * 2;
    std::vector<const std::string*> oldSlots(nSlots, nullptr);
    oldSlots.swap(m_slots);
    std::vector<uint32_t> oldTags(nSlots, 0);
    oldTags.swap(m_hashes);
    // The stored tags place the entries again: no path is read, so growing
    // a set of a million paths costs milliseconds, not a stalled window.
    const size_t nMask = nSlots - 1;
    for (size_t j = 0; j < oldSlots.size(); ++j)
    {
        if (oldSlots[j] == nullptr)
            continue;
        size_t i = oldTags[j] & nMask;
        while (m_slots[i] != nullptr)
            i = (i + 1) & nMask;
        m_slots[i] = oldSlots[j];
        m_hashes[i] = oldTags[j];
    }
}

void CListedPaths::Clear()
{
    std::vector<const std::string*>().swap(m_slots);
    std::vector<uint32_t>().swap(m_hashes);
    m_nSize = 0;
}
