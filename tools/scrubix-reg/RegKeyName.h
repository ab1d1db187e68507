#pragma once

#include "platform/IRegistry.h"

#include <string>

// "HKLM\Software\X" or "HKEY_CURRENT_USER\..." (hive names in any case) into
// hive and path; the path comes back with empty components dropped. False
// for an unknown hive.
bool ParseKeyName(const std::string& strKeyName, ERegistryHive& hive, std::string& strPath);

// "HKEY_LOCAL_MACHINE" / "HKEY_CURRENT_USER"
const char* HiveName(ERegistryHive hive);

// Hive name and path, joined by a backslash.
std::string FullKeyName(ERegistryHive hive, const std::string& strPath);

// Empty when the registry can hold a key at strPath (as ParseKeyName gives
// it); otherwise why it cannot: "the key name has N levels; the registry
// holds at most 512", or "a name in the key name has N characters; the
// registry allows at most 255". Linear in the path's length.
std::string KeyPathLimitError(const std::string& strPath);

// The full key name cut short for a message when it is long: the hive, the
// first three names, "..." and the last name.
std::string ShortKeyName(ERegistryHive hive, const std::string& strPath);
