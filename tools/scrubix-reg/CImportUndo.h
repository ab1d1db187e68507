#pragma once

#include "platform/IRegistry.h"

#include <map>
#include <string>
#include <vector>

// What an import is about to change in one hive, kept so that the change can
// be taken back when a later part of the import fails: for every key the
// import writes into or creates, whether it was there, and the values it held
// under the names the import writes. Runs on the tool's one thread.
class CImportUndo
{
public:
    CImportUndo(IRegistry& registry, ERegistryHive hive);

    // Records the hive as it is, before any of keys is written. False when a
    // key that is there cannot be read: nothing could be put back then, so
    // nothing may be written.
    bool Record(const std::vector<SRegistryKeyValues>& keys);
    // Puts the hive back as Record found it: every value the import wrote is
    // given its earlier type and data, or deleted where there was none, and
    // every key the import created is deleted. Only what differs now is
    // written, so a hive whose write was refused as a whole is not touched.
    // False when something could not be put back.
    bool Restore();

private:
    struct SKeyBefore
    {
        std::string strPath;
        bool bExisted = false;
        bool bTopCreated = false;              // created by the import, its parent was there
        std::vector<SRegistryValue> values;    // all it held, when bExisted
        std::vector<std::string> writtenNames; // what the import writes into it
    };

    SKeyBefore* Find(const std::string& strPath, bool& bNew);
    bool RestoreValues(const SKeyBefore& key);

    IRegistry& m_registry;
    ERegistryHive m_hive;
    std::vector<SKeyBefore> m_keys;
    std::map<std::string, size_t> m_index; // upper-case path -> m_keys
};
