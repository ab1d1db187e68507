// The sandbox on Windows: a fresh folder under the user's temp folder (under
// Wine, the prefix's drive_c) is drive C: through SCRUBIX_DRIVES, and both
// registry hives live under a scratch key of HKEY_CURRENT_USER through
// SCRUBIX_REGISTRY_ROOT. The real drives and keys are never written.
#include "support/CSandboxDrive.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <windows.h>

namespace fs = std::filesystem;

namespace
{

constexpr const char* SCRATCH_PARENT = "Software\\ScrubixTest";

std::string UniqueName()
{
    static std::atomic<unsigned> s_nCounter{0};
    return "scrubix-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(::GetTickCount()) + "-" + std::to_string(s_nCounter++);
}

std::string TempFolder()
{
    char szTemp[MAX_PATH + 1] = {};
    const DWORD nLength = ::GetTempPathA(MAX_PATH + 1, szTemp);
    if (nLength == 0 || nLength > MAX_PATH)
        throw std::runtime_error("GetTempPath failed");
    return std::string(szTemp, nLength);
}

void SetProcessVariable(const std::string& strName, const char* pszValue)
{
    // _putenv_s keeps the C runtime's copy and the process environment in
    // step; an empty value removes the variable.
    _putenv_s(strName.c_str(), pszValue != nullptr ? pszValue : "");
}

// Deletes a folder and everything in it without entering links: a link is
// removed itself. Read-only files are made writable first, as Windows
// refuses to delete them.
void RemoveTree(const std::string& strFolder)
{
    WIN32_FIND_DATAA data{};
    HANDLE hFind = ::FindFirstFileA((strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string strName = data.cFileName;
            if (strName == "." || strName == "..")
                continue;
            const std::string strPath = strFolder + "\\" + strName;
            ::SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
            const bool bFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const bool bLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (bFolder && !bLink)
                RemoveTree(strPath);
            else if (!::DeleteFileA(strPath.c_str()))
                ::RemoveDirectoryA(strPath.c_str());
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strFolder.c_str());
}

// Under Wine, CreateSymbolicLink reports success and makes nothing; a Unix
// link made by a Unix process is what Wine lists as a reparse point.
using WineUnixFileName = char*(__cdecl*)(const wchar_t*);

WineUnixFileName WineConverter()
{
    const HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    if (hKernel == nullptr)
        return nullptr;
    return reinterpret_cast<WineUnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(hKernel, "wine_get_unix_file_name")));
}

std::string UnixPathOf(WineUnixFileName pConvert, const fs::path& path)
{
    char* pszUnix = pConvert(path.wstring().c_str());
    if (pszUnix == nullptr)
        throw std::runtime_error("no Unix path for " + path.string());
    std::string strUnix = pszUnix;
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

void MakeUnixLink(WineUnixFileName pConvert, const fs::path& target, const fs::path& link)
{
    std::string strTarget = target.string();
    if (target.is_absolute())
        strTarget = UnixPathOf(pConvert, target);
    else
        for (char& c : strTarget)
            if (c == '\\')
                c = '/';
    std::string strCommand =
        "/bin/ln -s \"" + strTarget + "\" \"" + UnixPathOf(pConvert, link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\ln", strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        throw std::runtime_error("cannot run /bin/ln");
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine does not wait for a Unix child: wait for the link instead.
    for (int nTry = 0; nTry < 250; ++nTry)
    {
        WIN32_FIND_DATAA data{};
        const HANDLE hFind = ::FindFirstFileA(link.string().c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            ::FindClose(hFind);
            return;
        }
        ::Sleep(20);
    }
    throw std::runtime_error("ln made no link at " + link.string());
}

} // namespace

CSandboxDrive::CSandboxDrive()
{
    const std::string strName = UniqueName();
    m_root = fs::path(TempFolder()) / strName;
    if (!::CreateDirectoryA(m_root.string().c_str(), nullptr))
        throw std::runtime_error("cannot create the sandbox folder " + m_root.string());
    m_drive = m_root / "c";
    m_registry = m_root / "registry";
    m_home = m_root / "home";
    fs::create_directories(m_drive);
    fs::create_directories(m_registry);
    fs::create_directories(m_home);
    fs::create_directories(Outside());

    SetVariable("SCRUBIX_DRIVES", "C:=" + m_drive.string());
    SetVariable("SCRUBIX_REGISTRY_ROOT", "HKCU\\" + std::string(SCRATCH_PARENT) + "\\" + strName);
}

CSandboxDrive::~CSandboxDrive()
{
    const char* pszRoot = std::getenv("SCRUBIX_REGISTRY_ROOT");
    const std::string strScratch = pszRoot != nullptr ? std::string(pszRoot).substr(5) : "";
    if (!strScratch.empty())
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, strScratch.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, SCRATCH_PARENT); // only when no other run uses it
    }
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
        SetProcessVariable(it->strName, it->bWasSet ? it->strValue.c_str() : nullptr);

    RemoveTree(m_root.string());
}

void CSandboxDrive::SetDriveTable(const std::string& strTable)
{
    SetVariable("SCRUBIX_DRIVES", strTable);
    // The C runtime removes a variable set to "": set it in the process
    // environment, which the backend reads and child processes inherit.
    if (strTable.empty())
        ::SetEnvironmentVariableA("SCRUBIX_DRIVES", "");
}

void CSandboxDrive::SetVariable(const std::string& strName, const std::string& strValue)
{
    SSavedVariable saved{strName, false, {}};
    if (const char* pValue = std::getenv(strName.c_str()))
    {
        saved.bWasSet = true;
        saved.strValue = pValue;
    }
    m_saved.push_back(saved);
    SetProcessVariable(strName, strValue.c_str());
}

fs::path CSandboxDrive::HostPath(const std::string& strWindowsPath) const
{
    if (strWindowsPath.size() < 2 || (strWindowsPath[0] != 'C' && strWindowsPath[0] != 'c') ||
        strWindowsPath[1] != ':')
        throw std::invalid_argument("sandbox paths are on drive C: " + strWindowsPath);
    std::string strRest = strWindowsPath.substr(2);
    for (char& c : strRest)
        if (c == '/')
            c = '\\';
    while (!strRest.empty() && strRest.front() == '\\')
        strRest.erase(strRest.begin());
    return strRest.empty() ? m_drive : m_drive / strRest;
}

void CSandboxDrive::MakeLink(const std::string& strWindowsPath, const fs::path& target)
{
    const fs::path host = HostPath(strWindowsPath);
    fs::create_directories(host.parent_path());
    if (const WineUnixFileName pConvert = WineConverter())
    {
        MakeUnixLink(pConvert, target, host);
        return;
    }
    const fs::path resolved = target.is_absolute() ? target : host.parent_path() / target;
    const DWORD nTargetAttributes = ::GetFileAttributesA(resolved.string().c_str());
    DWORD nFlags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    if (nTargetAttributes != INVALID_FILE_ATTRIBUTES &&
        (nTargetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        nFlags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
    if (!::CreateSymbolicLinkA(host.string().c_str(), target.string().c_str(), nFlags))
        throw std::runtime_error("cannot make a link at " + host.string());
}

bool CSandboxDrive::Exists(const std::string& strWindowsPath) const
{
    return ::GetFileAttributesA(HostPath(strWindowsPath).string().c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}
