#include "platform/posix/CDriveMap.h"

// Stub: replaced by the real drive map.
CDriveMap::CDriveMap(std::vector<SDrive> drives) : m_drives(std::move(drives)) {}
CDriveMap CDriveMap::FromEnvironment() { return CDriveMap({{'C', "/"}}); }
std::optional<std::string> CDriveMap::ToHost(const std::string&) const { return std::nullopt; }
std::optional<std::string> CDriveMap::ToWindows(const std::string&) const { return std::nullopt; }
