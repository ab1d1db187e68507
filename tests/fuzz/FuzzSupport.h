#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <vector>

// Stops the run when a property of the code under test does not hold;
// libFuzzer then keeps the input that broke it as a crash file.
inline void FuzzCheck(bool bHolds, const char* pWhat)
{
    if (bHolds)
        return;
    std::fprintf(stderr, "property does not hold: %s\n", pWhat);
    std::abort();
}

inline std::string_view FuzzText(const uint8_t* pData, size_t nSize)
{
    return {reinterpret_cast<const char*>(pData), nSize};
}

// The input cut at every '\n' (the breaks dropped); a trailing break gives no
// empty last line.
inline std::vector<std::string> FuzzLines(std::string_view strText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < strText.size())
    {
        size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        lines.emplace_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return lines;
}

// An empty folder of this run's own under the temporary folder, for the drive
// roots and registry folders the harnesses need to name. Nothing is written
// into it; it is removed (only if still empty) when the run ends.
class CFuzzSandbox
{
public:
    CFuzzSandbox()
    {
        std::string strTemplate =
            (std::filesystem::temp_directory_path() / "scrubix-fuzz-XXXXXX").string();
        FuzzCheck(mkdtemp(strTemplate.data()) != nullptr, "a sandbox folder can be made");
        m_strPath = strTemplate;
    }
    ~CFuzzSandbox()
    {
        std::error_code error;
        std::filesystem::remove(m_strPath, error);
    }
    CFuzzSandbox(const CFuzzSandbox&) = delete;
    CFuzzSandbox& operator=(const CFuzzSandbox&) = delete;
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

inline const std::string& FuzzSandboxFolder()
{
    static const CFuzzSandbox sandbox;
    return sandbox.Path();
}
