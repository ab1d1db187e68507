#pragma once

#include "platform/IRegistry.h"

#include <memory>
#include <string>

// An advisory lock on a file of its own (flock on a descriptor of this lock
// alone, so that two holders in one process exclude each other as two
// processes do); the kernel drops it when its process ends, however it ends.
// nullptr while another holder has it. A lock file that cannot be made
// (a folder that cannot be written, where the store cannot be written
// either) grants the lock.
std::unique_ptr<IRegistryLock> TryLockFile(const std::string& strHostPath);
