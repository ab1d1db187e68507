#include "WineHost.h"

#include <cstdlib>
#include <windows.h>

namespace
{
using WineUnixFileName = char*(__cdecl*)(const wchar_t*);
}

bool IsRunningUnderWine()
{
    const HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
    return hNtdll != nullptr && ::GetProcAddress(hNtdll, "wine_get_version") != nullptr;
}

std::string UnixPathOf(const std::filesystem::path& path)
{
    const HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    if (hKernel == nullptr)
        return {};
    const auto pConvert = reinterpret_cast<WineUnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(hKernel, "wine_get_unix_file_name")));
    if (pConvert == nullptr)
        return {};
    char* pszUnix = pConvert(path.wstring().c_str());
    if (pszUnix == nullptr)
        return {};
    std::string strUnix = pszUnix;
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

bool MakeUnixSymlink(const std::filesystem::path& target, const std::filesystem::path& link)
{
    const std::string strTarget = UnixPathOf(target);
    const std::string strLink = UnixPathOf(link);
    if (strTarget.empty() || strLink.empty())
        return false;
    std::string strCommand = "/bin/ln -s \"" + strTarget + "\" \"" + strLink + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\ln", strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return false;
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine does not wait for a Unix child: look for the link instead.
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        if (::GetFileAttributesW(link.wstring().c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(20);
    }
    return false;
}
