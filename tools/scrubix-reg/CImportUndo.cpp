#include "CImportUndo.h"

#include "settings/TextFolding.h"

#include <algorithm>

namespace
{
// "A\\B\\C" -> "A", "A\B", "A\B\C" (empty components dropped).
std::vector<std::string> PathAndAncestors(const std::string& strPath)
{
    std::vector<std::string> paths;
    std::string strSoFar;
    size_t nStart = 0;
    while (nStart <= strPath.size())
    {
        size_t nEnd = strPath.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        if (nEnd > nStart)
        {
            strSoFar += (strSoFar.empty() ? "" : "\\") + strPath.substr(nStart, nEnd - nStart);
            paths.push_back(strSoFar);
        }
        nStart = nEnd + 1;
    }
    return paths;
}

const SRegistryValue* FindValue(const std::vector<SRegistryValue>& values,
                                const std::string& strName)
{
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const SRegistryValue& value)
                                 { return EqualsIgnoreCaseAscii(value.strName, strName); });
    return it == values.end() ? nullptr : &*it;
}
} // namespace

CImportUndo::CImportUndo(IRegistry& registry, ERegistryHive hive)
    : m_registry(registry), m_hive(hive)
{
}

CImportUndo::SKeyBefore* CImportUndo::Find(const std::string& strPath, bool& bNew)
{
    const auto [it, bInserted] = m_index.emplace(ToUpperAscii(strPath), m_keys.size());
    bNew = bInserted;
    if (bInserted)
        m_keys.push_back({strPath, false, false, {}, {}});
    return &m_keys[it->second];
}

bool CImportUndo::Record(const std::vector<SRegistryKeyValues>& keys)
{
    // The hive's root is always there; a value written into it is recorded
    // under the empty path.
    for (const SRegistryKeyValues& key : keys)
    {
        std::vector<std::string> paths = PathAndAncestors(key.strPath);
        if (paths.empty())
            paths.push_back({});
        bool bParentExisted = true;
        SKeyBefore* pKey = nullptr;
        for (const std::string& strPath : paths)
        {
            bool bNew = false;
            pKey = Find(strPath, bNew);
            if (bNew)
            {
                pKey->bExisted = strPath.empty() || m_registry.OpenKey(m_hive, strPath) != nullptr;
                pKey->bTopCreated = !pKey->bExisted && bParentExisted;
                if (pKey->bExisted && !m_registry.EnumValues(m_hive, strPath, pKey->values))
                    return false;
            }
            bParentExisted = pKey->bExisted;
        }
        for (const SRegistryValue& value : key.values)
            pKey->writtenNames.push_back(value.strName);
    }
    return true;
}

bool CImportUndo::RestoreValues(const SKeyBefore& key)
{
    std::vector<SRegistryValue> now;
    if (!m_registry.EnumValues(m_hive, key.strPath, now))
        return key.values.empty(); // gone with everything in it: nothing to put back
    bool bRestored = true;
    for (const std::string& strName : key.writtenNames)
    {
        const SRegistryValue* pBefore = FindValue(key.values, strName);
        const SRegistryValue* pNow = FindValue(now, strName);
        if (pBefore == nullptr && pNow != nullptr)
            bRestored = m_registry.DeleteValue(m_hive, key.strPath, strName) && bRestored;
        else if (pBefore != nullptr &&
                 (pNow == nullptr || pNow->strName != pBefore->strName ||
                  pNow->nType != pBefore->nType || pNow->strData != pBefore->strData))
            bRestored = m_registry.SetValue(m_hive, key.strPath, *pBefore) && bRestored;
    }
    return bRestored;
}

bool CImportUndo::Restore()
{
    bool bRestored = true;
    for (const SKeyBefore& key : m_keys)
    {
        if (key.bExisted && !key.writtenNames.empty())
            bRestored = RestoreValues(key) && bRestored;
        // Deleting the topmost created key takes every key created under it.
        else if (key.bTopCreated && m_registry.OpenKey(m_hive, key.strPath) != nullptr)
            bRestored = m_registry.DeleteKey(m_hive, key.strPath) && bRestored;
    }
    return bRestored;
}
