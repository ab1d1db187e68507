#include "platform/posix/SqliteRegistryKey.h"

#include <cstring>

CSqliteRegistryKey::CSqliteRegistryKey(std::shared_ptr<CSqliteHive> pHive, int64_t nKey,
                                       bool bWritable)
    : m_pHive(std::move(pHive)), m_nKey(nKey), m_bWritable(bWritable)
{
}

bool CSqliteRegistryKey::QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize,
                                    size_t& nRead, uint32_t& nType)
{
    nRead = 0;
    SRegistryValue value;
    if (!m_pHive || !m_pHive->QueryValue(m_nKey, strName, value))
        return false;
    if (value.strData.size() > nBufferSize)
    {
        nRead = value.strData.size();
        return false;
    }
    if (!value.strData.empty())
        std::memcpy(pBuffer, value.strData.data(), value.strData.size());
    nRead = value.strData.size();
    nType = value.nType;
    return true;
}

bool CSqliteRegistryKey::SetStringValue(const std::string& strName, const std::string& strText)
{
    if (!m_pHive || !m_bWritable)
        return false;
    SRegistryValue value{strName, REG_TYPE_SZ, strText};
    value.strData.push_back('\0');
    return m_pHive->SetValue(m_nKey, value);
}

std::unique_ptr<IRegistryKey> CSqliteRegistryKey::CreateSubKey(const std::string& strPath)
{
    if (!m_pHive || !m_bWritable)
        return nullptr;
    int64_t nKey = 0;
    bool bCreated = false;
    if (!m_pHive->CreateKey(m_nKey, SplitKeyPath(strPath), nKey, bCreated))
        return nullptr;
    return std::make_unique<CSqliteRegistryKey>(m_pHive, nKey, true);
}

void CSqliteRegistryKey::Close()
{
    m_pHive.reset();
}
