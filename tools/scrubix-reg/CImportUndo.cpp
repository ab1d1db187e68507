#include "CImportUndo.h"

#include "settings/TextFolding.h"

#include <algorithm>

namespace
{
// "A\\B\\C" -> "A", "B", "C" (empty components dropped).
std::vector<std::string> KeyNames(const std::string& strPath)
{
    std::vector<std::string> names;
    for (size_t nStart = 0; nStart <= strPath.size();)
    {
        size_t nEnd = strPath.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        if (nEnd > nStart)
            names.push_back(strPath.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return names;
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
    SKeyBefore root;
    root.bExisted = true;
    m_keys.push_back(std::move(root));
}

size_t CImportUndo::Enter(const std::vector<std::string>& names)
{
    // Down the keys entered before; the rest of the way is new.
    size_t nKey = ROOT;
    size_t nKnown = 0;
    for (; nKnown < names.size(); ++nKnown)
    {
        const auto it = m_keys[nKey].children.find(ToUpperAscii(names[nKnown]));
        if (it == m_keys[nKey].children.end())
            break;
        nKey = it->second;
    }
    if (nKnown == names.size())
        return nKey;

    // Of the new keys, those there now are the first few (a key is there only
    // if its parent is): how many, found by halving.
    size_t nThere = 0;
    if (m_keys[nKey].bExisted)
    {
        std::string strPath = PathOf(nKey);
        std::vector<size_t> ends;
        for (size_t n = nKnown; n < names.size(); ++n)
        {
            strPath.append(strPath.empty() ? "" : "\\").append(names[n]);
            ends.push_back(strPath.size());
        }
        size_t nHigh = ends.size();
        while (nThere < nHigh)
        {
            const size_t nMiddle = (nThere + nHigh + 1) / 2;
            if (m_registry.OpenKey(m_hive, strPath.substr(0, ends[nMiddle - 1])) != nullptr)
                nThere = nMiddle;
            else
                nHigh = nMiddle - 1;
        }
    }

    const bool bParentExisted = m_keys[nKey].bExisted;
    for (size_t n = nKnown; n < names.size(); ++n)
    {
        SKeyBefore key;
        key.nParent = nKey;
        key.strName = names[n];
        key.bExisted = n - nKnown < nThere;
        key.bTopCreated = bParentExisted && n - nKnown == nThere;
        const size_t nNew = m_keys.size();
        m_keys.push_back(std::move(key));
        m_keys[nKey].children.emplace(ToUpperAscii(names[n]), nNew);
        nKey = nNew;
    }
    return nKey;
}

std::string CImportUndo::PathOf(size_t nKey) const
{
    std::vector<const std::string*> names;
    for (; nKey != ROOT; nKey = m_keys[nKey].nParent)
        names.push_back(&m_keys[nKey].strName);
    std::string strPath;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        strPath.append(strPath.empty() ? "" : "\\").append(**it);
    return strPath;
}

bool CImportUndo::Record(const std::vector<SRegistryKeyValues>& keys)
{
    for (const SRegistryKeyValues& key : keys)
    {
        const size_t nKey = Enter(KeyNames(key.strPath));
        if (key.values.empty())
            continue;
        SKeyBefore& before = m_keys[nKey];
        if (before.bExisted && !before.bValuesRead)
        {
            if (!m_registry.EnumValues(m_hive, PathOf(nKey), before.values))
                return false;
            before.bValuesRead = true;
        }
        for (const SRegistryValue& value : key.values)
            before.writtenNames.push_back(value.strName);
    }
    return true;
}

bool CImportUndo::RestoreValues(const SKeyBefore& key, const std::string& strPath)
{
    std::vector<SRegistryValue> now;
    if (!m_registry.EnumValues(m_hive, strPath, now))
        return key.values.empty(); // gone with everything in it: nothing to put back
    bool bRestored = true;
    for (const std::string& strName : key.writtenNames)
    {
        const SRegistryValue* pBefore = FindValue(key.values, strName);
        const SRegistryValue* pNow = FindValue(now, strName);
        if (pBefore == nullptr && pNow != nullptr)
            bRestored = m_registry.DeleteValue(m_hive, strPath, strName) && bRestored;
        else if (pBefore != nullptr &&
                 (pNow == nullptr || pNow->strName != pBefore->strName ||
                  pNow->nType != pBefore->nType || pNow->strData != pBefore->strData))
            bRestored = m_registry.SetValue(m_hive, strPath, *pBefore) && bRestored;
    }
    return bRestored;
}

bool CImportUndo::Restore()
{
    bool bRestored = true;
    for (size_t nKey = 0; nKey < m_keys.size(); ++nKey)
    {
        const SKeyBefore& key = m_keys[nKey];
        if (key.bExisted && !key.writtenNames.empty())
            bRestored = RestoreValues(key, PathOf(nKey)) && bRestored;
        // Deleting the topmost created key takes every key created under it.
        else if (key.bTopCreated)
        {
            const std::string strPath = PathOf(nKey);
            if (m_registry.OpenKey(m_hive, strPath) != nullptr)
                bRestored = m_registry.DeleteKey(m_hive, strPath) && bRestored;
        }
    }
    return bRestored;
}
