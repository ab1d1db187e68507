#include "support/CSandboxDrive.h"

#include <fstream>
#include <sstream>

// Building trees: the same on every platform, through HostPath.

namespace fs = std::filesystem;

void CSandboxDrive::Build(const std::vector<std::string>& paths)
{
    for (const std::string& strPath : paths)
    {
        if (!strPath.empty() && strPath.back() == '\\')
            MakeFolder(strPath);
        else
            MakeFile(strPath);
    }
}

void CSandboxDrive::MakeFile(const std::string& strWindowsPath, const std::string& strContents)
{
    const fs::path host = HostPath(strWindowsPath);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << strContents;
}

void CSandboxDrive::MakeFolder(const std::string& strWindowsPath)
{
    fs::create_directories(HostPath(strWindowsPath));
}

void CSandboxDrive::MakeSparseFile(const std::string& strWindowsPath, uint64_t nSize)
{
    const fs::path host = HostPath(strWindowsPath);
    fs::create_directories(host.parent_path());
    {
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
    }
    fs::resize_file(host, nSize);
}

std::string CSandboxDrive::ReadFile(const std::string& strWindowsPath) const
{
    std::ifstream in(HostPath(strWindowsPath), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}
