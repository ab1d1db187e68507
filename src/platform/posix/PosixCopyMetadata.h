#pragma once

#include <sys/stat.h>

// Gives the open copy nOut what the open source nIn carries besides its
// bytes, in an order where each step cannot undo an earlier one: extended
// attributes (every namespace but "security.", whose labels and
// capabilities belong to the destination), then owner and group, then the
// permission bits, then the access and modification times. source is the
// source's status taken before its bytes were read (reading moves its
// access time). An attribute or an owner the destination or the process
// cannot take is skipped; false only when the copy could not be given its
// times or permission bits, or an attribute failed for want of space or by
// an I/O error.
bool PosixCopyMetadata(int nIn, const struct stat& source, int nOut);
