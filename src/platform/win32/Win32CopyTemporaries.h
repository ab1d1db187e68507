#pragma once

#include <cstdint>
#include <string>

// The copy temporaries of CopyTemporaryName.h on Windows.

// A fresh temporary name for this process.
std::string Win32NewCopyTemporaryName();

// True when no running process has the id: OpenProcess refuses it as
// unknown, or the process it opens has ended. A process this one may not
// open counts as running.
bool Win32IsProcessGone(uint32_t nProcessId);

// Removes the plain files of the host folder whose names are copy
// temporaries of processes that are gone (a read-only one included).
// Returns how many it removed.
int Win32RemoveStaleCopies(const std::string& strHostFolder);
