#pragma once

// What the benchmark programs share: plausible candidate paths and the
// temporary sandbox they work in.

#include "BenchPaths.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Makes /tmp/scrubix-NAME-XXXXXX with a drive C:, a registry folder and a
// home, and points every variable the program reads there. Empty on failure.
// The caller removes the folder.
inline std::filesystem::path MakeBenchSandbox(const std::string& strName)
{
    std::string strTemplate = "/tmp/scrubix-" + strName + "-XXXXXX";
    if (::mkdtemp(strTemplate.data()) == nullptr)
        return {};
    const std::filesystem::path sandbox = strTemplate;
    std::filesystem::create_directories(sandbox / "c");
    std::filesystem::create_directories(sandbox / "registry");
    std::filesystem::create_directories(sandbox / "home");
    ::setenv("SCRUBIX_DRIVES", ("C:=" + (sandbox / "c").string()).c_str(), 1);
    ::setenv("SCRUBIX_REGISTRY_DIR", (sandbox / "registry").c_str(), 1);
    ::setenv("HOME", (sandbox / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (sandbox / "home" / ".config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (sandbox / "home" / ".local" / "share").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (sandbox / "home").c_str(), 1);
    return sandbox;
}
