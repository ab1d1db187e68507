#pragma once

#include <cstdint>
#include <string>

// The .trashinfo records this program writes name the process that wrote
// them on a line of their own, "X-Scrubix-Process=<id>", after the keys of
// the trash format (readers of the format ignore keys they do not know). A
// record is written before its file is renamed into files/, so a process
// killed between the two leaves a record with no file; these find and
// remove such records.

// The line that ends each record this process writes.
std::string TrashWriterLine(uint32_t nProcessId);

// The writer named by a record's text; false when it names none (a record
// of another program).
bool ParseTrashWriter(const std::string& strRecord, uint32_t& nProcessId);

// Removes from info/ (nInfoFd) each record "NAME.trashinfo" whose writer
// process is gone and whose file NAME is missing from files/ (nFilesFd).
// A record of another program, of a running process, or whose file is
// there is never touched. Returns how many were removed.
int RemoveLeftTrashRecords(int nFilesFd, int nInfoFd);

// RemoveLeftTrashRecords on the first move into a trash by this process and
// again once the last sweep of that trash is a minute old, so that a large
// move does not read a large trash once a file. Thread-safe.
void SweepLeftTrashRecords(int nFilesFd, int nInfoFd);
