#pragma once

#include <cstdint>

// Copies from the current offset of nIn to its end into nOut; nCopied is
// the number of bytes written. False on any read or write error.
bool PosixCopyData(int nIn, int nOut, uint64_t& nCopied);
