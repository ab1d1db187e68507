#pragma once

#include "platform/IRegistry.h"

#include <string>
#include <vector>

// One [section] of a .reg file: a key and the values written into it.
struct SRegFileKey
{
    ERegistryHive hive = ERegistryHive::LocalMachine;
    std::string strPath;
    std::vector<SRegistryValue> values;
};

// REGEDIT4 text with CRLF line ends. A REG_SZ that reads back the same is
// written as "text"; everything else as dword: or hex(N): bytes. In quoted
// text "\\" and "\"" stand for themselves, "\n" and "\r" for the line breaks
// a value name may hold. A key name cannot hold a line break (nothing could
// escape it between the brackets): the caller refuses such keys.
std::string FormatRegFile(const std::vector<SRegFileKey>& keys);

// Parses REGEDIT4 text (LF or CRLF, optional UTF-8 BOM). On a malformed line,
// or a key the registry cannot hold (KeyPathLimitError), returns false with a
// message that names the line number. Linear in the text's length.
bool ParseRegFile(const std::string& strText, std::vector<SRegFileKey>& keys,
                  std::string& strError);
