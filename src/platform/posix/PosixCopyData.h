#pragma once

#include <cstddef>
#include <cstdint>

// Copies from the current offset of nIn to its end into nOut; nCopied is
// the number of bytes written. False on any read or write error.
bool PosixCopyData(int nIn, int nOut, uint64_t& nCopied);

// Writes all nLength bytes at pData, going on after short writes and
// interruptions. False on a write error or a write that makes no progress.
bool PosixWriteAll(int nFd, const char* pData, size_t nLength);
