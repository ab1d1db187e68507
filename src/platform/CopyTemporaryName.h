#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A copy into a folder is written under a temporary name in that folder and
// gets its real name only once it is complete, so a copy cut short (the
// process killed) never leaves a partial file under the real name. The name
// is ".scrubix-copy.<process id>.<16 hex digits>"; it carries the id of the
// process writing it, so that a temporary whose process is gone can be told
// from one still being written. This is the one place that knows the form:
// the backends make and sweep the names, the search never lists them.

// The temporary name for the given process and serial.
std::string CopyTemporaryName(uint32_t nProcessId, uint64_t nSerial);

// True when the bare name has exactly the form CopyTemporaryName makes; the
// writer's process id is then in nProcessId.
bool ParseCopyTemporaryName(std::string_view strName, uint32_t& nProcessId);

inline bool IsCopyTemporaryName(std::string_view strName)
{
    uint32_t nProcessId = 0;
    return ParseCopyTemporaryName(strName, nProcessId);
}
