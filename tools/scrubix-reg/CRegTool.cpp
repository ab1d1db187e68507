#include "CRegTool.h"

#include "CImportUndo.h"
#include "RegKeyName.h"
#include "RegValueText.h"
#include "settings/TextFolding.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{
constexpr const char* NOT_FOUND =
    "The system was unable to find the specified registry key or value.";
constexpr const char* DONE = "The operation completed successfully.";

bool IsOption(const std::string& strArg, const char* pszOption)
{
    return EqualsIgnoreCaseAscii(strArg, pszOption);
}

std::string ShownName(const std::string& strName)
{
    return strName.empty() ? "(Default)" : strName;
}

// A key name with a line break has no form in a .reg file: the brackets
// around it cannot escape one.
bool HasLineBreak(const std::string& strText)
{
    return strText.find_first_of("\r\n") != std::string::npos;
}
} // namespace

CRegTool::CRegTool(IRegistry& registry, std::ostream& out, std::ostream& err)
    : m_registry(registry), m_out(out), m_err(err)
{
}

int CRegTool::Error(const std::string& strMessage)
{
    m_err << "ERROR: " << strMessage << "\n";
    return 1;
}

int CRegTool::Usage()
{
    m_err << "usage: scrubix-reg query KEY [/v NAME | /ve]\n"
             "       scrubix-reg add KEY [/v NAME | /ve] [/t REG_SZ] [/d DATA] [/f]\n"
             "       scrubix-reg delete KEY [/v NAME | /ve] [/f]\n"
             "       scrubix-reg export KEY FILE [/y]\n"
             "       scrubix-reg import FILE\n"
             "KEY starts with HKLM, HKCU, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.\n";
    return 1;
}

int CRegTool::Run(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage();
    const std::string& strCommand = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    SOptions options;
    if (IsOption(strCommand, "import"))
    {
        if (rest.size() != 1)
            return Usage();
        return Import(rest[0]);
    }
    const bool bExport = IsOption(strCommand, "export");
    if (!bExport && !IsOption(strCommand, "query") && !IsOption(strCommand, "add") &&
        !IsOption(strCommand, "delete"))
    {
        Error("unknown command '" + strCommand + "'");
        return Usage();
    }
    if (!ParseOptions(rest, bExport, options))
        return 1;
    if (bExport)
        return Export(options);
    if (IsOption(strCommand, "query"))
        return Query(options);
    if (IsOption(strCommand, "add"))
        return Add(options);
    return Delete(options);
}

bool CRegTool::ParseOptions(const std::vector<std::string>& args, bool bWantsFile,
                            SOptions& options)
{
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& strArg = args[i];
        const bool bHasNext = i + 1 < args.size();
        if (IsOption(strArg, "/v") || IsOption(strArg, "/d") || IsOption(strArg, "/t"))
        {
            if (!bHasNext)
            {
                Error("option " + strArg + " needs an argument");
                return false;
            }
            const std::string& strNext = args[++i];
            if (IsOption(strArg, "/v"))
            {
                options.bHasName = true;
                options.strName = strNext;
            }
            else if (IsOption(strArg, "/d"))
            {
                options.bHasData = true;
                options.strData = strNext;
            }
            else
                options.strType = strNext;
        }
        else if (IsOption(strArg, "/ve"))
        {
            options.bHasName = true;
            options.strName.clear();
        }
        else if (IsOption(strArg, "/f") || IsOption(strArg, "/y"))
            continue; // never prompts anyway
        else if (!strArg.empty() && strArg[0] == '/' && strArg.size() <= 3)
        {
            Error("unknown option '" + strArg + "'");
            return false;
        }
        else
            positional.push_back(strArg);
    }
    if (positional.size() != (bWantsFile ? 2u : 1u))
    {
        Usage();
        return false;
    }
    options.strKey = positional[0];
    if (bWantsFile)
        options.strFile = positional[1];
    return true;
}

bool CRegTool::ParseKey(const std::string& strKey, ERegistryHive& hive, std::string& strPath)
{
    if (ParseKeyName(strKey, hive, strPath))
        return true;
    Error("invalid key name '" + strKey +
          "': it must start with HKLM, HKCU, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER");
    return false;
}

int CRegTool::Query(const SOptions& options)
{
    ERegistryHive hive;
    std::string strPath;
    if (!ParseKey(options.strKey, hive, strPath))
        return 1;
    std::vector<SRegistryValue> values;
    if (!m_registry.EnumValues(hive, strPath, values))
        return Error(NOT_FOUND);
    const std::string strFullName = FullKeyName(hive, strPath);
    auto printValue = [&](const SRegistryValue& value)
    {
        m_out << "    " << ShownName(value.strName) << "    " << TypeName(value.nType) << "    "
              << DisplayData(value) << "\n";
    };

    if (options.bHasName)
    {
        for (const SRegistryValue& value : values)
        {
            if (EqualsIgnoreCaseAscii(value.strName, options.strName))
            {
                m_out << strFullName << "\n";
                printValue(value);
                return 0;
            }
        }
        return Error(NOT_FOUND);
    }

    std::vector<std::string> subKeys;
    m_registry.EnumSubKeys(hive, strPath, subKeys);
    m_out << strFullName << "\n";
    for (const SRegistryValue& value : values)
        printValue(value);
    if (!subKeys.empty())
    {
        m_out << "\n";
        for (const std::string& strSubKey : subKeys)
            m_out << strFullName << "\\" << strSubKey << "\n";
    }
    return 0;
}

int CRegTool::Add(const SOptions& options)
{
    ERegistryHive hive;
    std::string strPath;
    if (!ParseKey(options.strKey, hive, strPath))
        return 1;
    if (!options.strType.empty() && !IsOption(options.strType, "REG_SZ"))
        return Error("unsupported value type '" + options.strType + "' (only REG_SZ)");
    if (HasLineBreak(strPath))
        return Error("a key name cannot hold a line break");
    if (const std::string strLimit = KeyPathLimitError(strPath); !strLimit.empty())
        return Error(strLimit);
    if (!options.bHasName && options.bHasData)
        return Error("/d needs /v NAME or /ve");
    if (!options.bHasName)
    {
        EKeyDisposition disposition;
        if (!m_registry.CreateKey(hive, strPath, disposition))
            return Error("Access is denied.");
    }
    else
    {
        SRegistryValue value{options.strName, REG_TYPE_SZ, options.strData};
        value.strData.push_back('\0');
        if (!m_registry.SetValue(hive, strPath, value))
            return Error("Access is denied.");
    }
    m_out << DONE << "\n";
    return 0;
}

int CRegTool::Delete(const SOptions& options)
{
    ERegistryHive hive;
    std::string strPath;
    if (!ParseKey(options.strKey, hive, strPath))
        return 1;
    if (!m_registry.OpenKey(hive, strPath))
        return Error(NOT_FOUND);
    if (options.bHasName)
    {
        std::vector<SRegistryValue> values;
        bool bFound = false;
        if (m_registry.EnumValues(hive, strPath, values))
        {
            for (const SRegistryValue& value : values)
                bFound = bFound || EqualsIgnoreCaseAscii(value.strName, options.strName);
        }
        if (!bFound)
            return Error(NOT_FOUND);
        if (!m_registry.DeleteValue(hive, strPath, options.strName))
            return Error("Access is denied.");
    }
    else
    {
        if (strPath.empty())
            return Error("a whole hive cannot be deleted");
        if (!m_registry.DeleteKey(hive, strPath))
            return Error("Access is denied.");
    }
    m_out << DONE << "\n";
    return 0;
}

bool CRegTool::CollectTree(ERegistryHive hive, const std::string& strTop,
                           std::vector<SRegFileKey>& keys, std::string& strError)
{
    // Depth first, sub-keys in order, with one path that grows and shrinks:
    // each key costs its own reads and names only, never another copy of the
    // path above it.
    struct SLevel
    {
        size_t nPathLength;
        std::vector<std::string> subKeys;
        size_t nNext = 0;
    };
    std::vector<SLevel> levels;
    std::string strPath = strTop;
    const size_t nTopDepth =
        strTop.empty() ? 0
                       : static_cast<size_t>(std::count(strTop.begin(), strTop.end(), '\\')) + 1;
    const auto visit = [&](bool bTop)
    {
        SRegFileKey key;
        key.hive = hive;
        std::vector<std::string> subKeys;
        if (!m_registry.EnumValues(hive, strPath, key.values) ||
            !m_registry.EnumSubKeys(hive, strPath, subKeys))
            return false;
        // A key without values that has sub-keys is made by theirs on import.
        if (bTop || !key.values.empty() || subKeys.empty())
        {
            key.strPath = strPath;
            keys.push_back(std::move(key));
        }
        levels.push_back({strPath.size(), std::move(subKeys)});
        return true;
    };
    if (!visit(true))
    {
        strError = NOT_FOUND;
        return false;
    }
    while (!levels.empty())
    {
        SLevel& level = levels.back();
        if (level.nNext == level.subKeys.size())
        {
            levels.pop_back();
            continue;
        }
        const std::string strName = std::move(level.subKeys[level.nNext++]);
        strPath.resize(level.nPathLength);
        strPath.append(strPath.empty() ? "" : "\\").append(strName);
        if (nTopDepth + levels.size() > REGISTRY_MAX_KEY_DEPTH)
        {
            strError = "the key " + ShortKeyName(hive, strPath) +
                       " is deeper than the registry allows (" +
                       std::to_string(REGISTRY_MAX_KEY_DEPTH) +
                       " levels) and cannot be exported (nothing written)";
            return false;
        }
        if (!visit(false))
        {
            strError = NOT_FOUND;
            return false;
        }
    }
    return true;
}

int CRegTool::Export(const SOptions& options)
{
    ERegistryHive hive;
    std::string strPath;
    if (!ParseKey(options.strKey, hive, strPath))
        return 1;
    std::vector<SRegFileKey> keys;
    std::string strError;
    if (!CollectTree(hive, strPath, keys, strError))
        return Error(strError);
    for (const SRegFileKey& key : keys)
    {
        if (HasLineBreak(key.strPath))
            return Error("the key name '" + FullKeyName(hive, key.strPath) +
                         "' holds a line break and cannot be exported (nothing written)");
    }
    std::ofstream file(options.strFile, std::ios::binary | std::ios::trunc);
    file << FormatRegFile(keys);
    file.close();
    if (!file)
        return Error("cannot write " + options.strFile);
    m_out << DONE << "\n";
    return 0;
}

int CRegTool::Import(const std::string& strFile)
{
    std::ifstream file(strFile, std::ios::binary);
    if (!file)
        return Error("cannot open " + strFile);
    std::ostringstream text;
    text << file.rdbuf();

    std::vector<SRegFileKey> keys;
    std::string strError;
    if (!ParseRegFile(text.str(), keys, strError))
        return Error(strFile + ": " + strError + " (nothing imported)");

    // The whole file is parsed before anything is written, so a malformed
    // file writes nothing even where the registry has no transactions. Each
    // hive is recorded before either is written: when one cannot be written,
    // what went into the other (or into part of it) is taken back.
    struct SHiveBatch
    {
        ERegistryHive hive;
        std::vector<SRegistryKeyValues> keys;
        CImportUndo undo;
    };
    std::vector<SHiveBatch> batches;
    for (ERegistryHive hive : {ERegistryHive::LocalMachine, ERegistryHive::CurrentUser})
    {
        SHiveBatch batch{hive, {}, CImportUndo(m_registry, hive)};
        for (const SRegFileKey& key : keys)
        {
            if (key.hive == hive)
                batch.keys.push_back({key.strPath, key.values});
        }
        if (batch.keys.empty())
            continue;
        if (!batch.undo.Record(batch.keys))
            return Error(std::string("cannot read ") + HiveName(hive) + " (nothing imported)");
        batches.push_back(std::move(batch));
    }
    for (size_t nBatch = 0; nBatch < batches.size(); ++nBatch)
    {
        if (m_registry.WriteKeys(batches[nBatch].hive, batches[nBatch].keys))
            continue;
        bool bRestored = true;
        for (size_t nDone = 0; nDone <= nBatch; ++nDone)
            bRestored = batches[nDone].undo.Restore() && bRestored;
        const std::string strFailed = HiveName(batches[nBatch].hive);
        return Error("cannot write to " + strFailed +
                     (bRestored ? " (nothing imported)"
                                : "; what was already imported could not all be taken back"));
    }
    m_out << DONE << "\n";
    return 0;
}
