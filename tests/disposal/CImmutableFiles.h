#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Files made immutable with chattr +i: even root cannot write, rename or
// delete them (ext4). The flag is taken off again on destruction.
class CImmutableFiles
{
public:
    CImmutableFiles() = default;
    ~CImmutableFiles()
    {
        for (const std::filesystem::path& path : m_paths)
            std::system(("chattr -i '" + path.string() + "' 2>/dev/null").c_str());
    }
    CImmutableFiles(const CImmutableFiles&) = delete;
    CImmutableFiles& operator=(const CImmutableFiles&) = delete;

    bool Add(const std::filesystem::path& path)
    {
        if (std::system(("chattr +i '" + path.string() + "'").c_str()) != 0)
            return false;
        m_paths.push_back(path);
        return true;
    }

private:
    std::vector<std::filesystem::path> m_paths;
};
