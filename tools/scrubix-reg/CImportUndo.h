#pragma once

#include "platform/IRegistry.h"

#include <map>
#include <string>
#include <vector>

// What an import is about to change in one hive, kept so that the change can
// be taken back when a later part of the import fails: for every key the
// import writes into or creates, whether it was there, and the values it held
// under the names the import writes. Runs on the tool's one thread.
//
// The keys are kept as a tree of names, so a key and all the keys on its way
// cost their names once, and whether they are there is found with a number of
// lookups that grows with the logarithm of the key's depth, not its square.
class CImportUndo
{
public:
    CImportUndo(IRegistry& registry, ERegistryHive hive);

    // Records the hive as it is, before any of keys is written. False when a
    // key that is written into cannot be read: nothing could be put back
    // then, so nothing may be written.
    bool Record(const std::vector<SRegistryKeyValues>& keys);
    // Puts the hive back as Record found it: every value the import wrote is
    // given its earlier type and data, or deleted where there was none, and
    // every key the import created is deleted. Only what differs now is
    // written, so a hive whose write was refused as a whole is not touched.
    // False when something could not be put back.
    bool Restore();

private:
    static constexpr size_t ROOT = 0;

    struct SKeyBefore
    {
        size_t nParent = ROOT;
        std::string strName;                    // as first spelled in the import
        std::map<std::string, size_t> children; // upper-case name -> m_keys
        bool bExisted = false;
        bool bTopCreated = false; // created by the import, its parent was there
        bool bValuesRead = false;
        std::vector<SRegistryValue> values;    // all it held, when bExisted
        std::vector<std::string> writtenNames; // what the import writes into it
    };

    // The key at the end of names (empty: the hive's root), with every key on
    // the way to it entered and told whether it was there.
    size_t Enter(const std::vector<std::string>& names);
    std::string PathOf(size_t nKey) const;
    bool RestoreValues(const SKeyBefore& key, const std::string& strPath);

    IRegistry& m_registry;
    ERegistryHive m_hive;
    std::vector<SKeyBefore> m_keys; // [ROOT] is the hive's root, always there
};
