#pragma once

#include "platform/IRegistry.h"
#include "platform/posix/SqliteHive.h"

#include <memory>

// An open key of a CSqliteHive. Opened for reading it refuses every write.
class CSqliteRegistryKey : public IRegistryKey
{
public:
    CSqliteRegistryKey(std::shared_ptr<CSqliteHive> pHive, int64_t nKey, bool bWritable);

    bool QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize, size_t& nRead,
                    uint32_t& nType) override;
    bool SetStringValue(const std::string& strName, const std::string& strText) override;
    std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) override;
    void Close() override;

private:
    std::shared_ptr<CSqliteHive> m_pHive;
    int64_t m_nKey;
    bool m_bWritable;
};
