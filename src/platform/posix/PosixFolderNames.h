#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The names in an open folder that `keep` accepts, read whole before the
// caller acts on any, so that nothing is removed while the folder is being
// read. Empty when the folder cannot be listed. "." and ".." are offered to
// `keep` like any name.
std::vector<std::string> GatherFolderNames(int nFolderFd,
                                           const std::function<bool(std::string_view)>& keep);
