#pragma once

#include "platform/IRegistry.h"

#include <cstdint>
#include <string>

constexpr uint32_t REG_TYPE_NONE = 0;
constexpr uint32_t REG_TYPE_EXPAND_SZ = 2;
constexpr uint32_t REG_TYPE_BINARY = 3;
constexpr uint32_t REG_TYPE_DWORD = 4;
constexpr uint32_t REG_TYPE_MULTI_SZ = 7;
constexpr uint32_t REG_TYPE_QWORD = 11;

// "REG_SZ", "REG_DWORD", ...; "0x1f" style for types without a name.
std::string TypeName(uint32_t nType);

// A value's data as the query command shows it.
std::string DisplayData(const SRegistryValue& value);
