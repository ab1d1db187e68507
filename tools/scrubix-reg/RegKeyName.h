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
