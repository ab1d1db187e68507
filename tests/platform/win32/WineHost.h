#pragma once

#include <filesystem>
#include <string>

// What only Wine can do for a test: run a Unix program, which is how the
// link tests make the Unix symbolic links that Wine shows as reparse points
// (Wine's CreateSymbolicLink creates nothing).
bool IsRunningUnderWine();
// The Unix path of a Windows path; empty when not under Wine.
std::string UnixPathOf(const std::filesystem::path& path);
// ln -s target link, run as a Unix process; false when it failed.
bool MakeUnixSymlink(const std::filesystem::path& target, const std::filesystem::path& link);
