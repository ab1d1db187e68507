#pragma once

#include "RegFile.h"

#include <ostream>
#include <string>
#include <vector>

class IRegistry;

// The commands of scrubix-reg: query, add, delete, export, import. Run
// returns the process exit code: 0 on success, 1 on any error (with a
// message on the error stream).
class CRegTool
{
public:
    CRegTool(IRegistry& registry, std::ostream& out, std::ostream& err);

    int Run(const std::vector<std::string>& args);

private:
    struct SOptions
    {
        std::string strKey;
        bool bHasName = false;
        std::string strName;
        bool bHasData = false;
        std::string strData;
        std::string strType;
        std::string strFile;
    };

    bool ParseOptions(const std::vector<std::string>& args, bool bWantsFile, SOptions& options);
    bool ParseKey(const std::string& strKey, ERegistryHive& hive, std::string& strPath);
    int Query(const SOptions& options);
    int Add(const SOptions& options);
    int Delete(const SOptions& options);
    int Export(const SOptions& options);
    int Import(const std::string& strFile);
    // Every key a .reg file must name to rebuild the tree below strTop: the
    // top key, each key with values and each key without sub-keys. False,
    // with the message, when a key cannot be read or lies deeper than the
    // registry allows. Each key costs two reads by its path, and no level
    // deeper than the registry allows is read.
    bool CollectTree(ERegistryHive hive, const std::string& strTop, std::vector<SRegFileKey>& keys,
                     std::string& strError);
    int Error(const std::string& strMessage);
    int Usage();

    IRegistry& m_registry;
    std::ostream& m_out;
    std::ostream& m_err;
};
