#include "support/CSandboxDrive.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

CSandboxDrive::CSandboxDrive()
{
    std::string strTemplate = (fs::temp_directory_path() / "scrubix-test-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_root = strTemplate;
    m_drive = m_root / "c";
    m_registry = m_root / "registry";
    m_home = m_root / "home";
    fs::create_directories(m_drive);
    fs::create_directories(m_registry);
    fs::create_directories(m_home);
    fs::create_directories(Outside());

    SetVariable("SCRUBIX_DRIVES", "C:=" + m_drive.string());
    SetVariable("SCRUBIX_REGISTRY_DIR", m_registry.string());
    SetVariable("HOME", m_home.string());
    SetVariable("XDG_DATA_HOME", (m_home / ".local" / "share").string());
    SetVariable("XDG_CONFIG_HOME", (m_home / ".config").string());
}

CSandboxDrive::~CSandboxDrive()
{
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
    {
        if (it->bWasSet)
            setenv(it->strName.c_str(), it->strValue.c_str(), 1);
        else
            unsetenv(it->strName.c_str());
    }
    // Tests may leave read-only folders behind; give write access back first.
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(m_root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
    {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(m_root, error);
}

void CSandboxDrive::SetDriveTable(const std::string& strTable)
{
    SetVariable("SCRUBIX_DRIVES", strTable);
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
    setenv(strName.c_str(), strValue.c_str(), 1);
}

fs::path CSandboxDrive::HostPath(const std::string& strWindowsPath) const
{
    if (strWindowsPath.size() < 2 || (strWindowsPath[0] != 'C' && strWindowsPath[0] != 'c') ||
        strWindowsPath[1] != ':')
        throw std::invalid_argument("sandbox paths are on drive C: " + strWindowsPath);
    std::string strRest = strWindowsPath.substr(2);
    for (char& c : strRest)
        if (c == '\\')
            c = '/';
    while (!strRest.empty() && strRest.front() == '/')
        strRest.erase(strRest.begin());
    return strRest.empty() ? m_drive : m_drive / strRest;
}

void CSandboxDrive::MakeLink(const std::string& strWindowsPath, const fs::path& target)
{
    const fs::path host = HostPath(strWindowsPath);
    fs::create_directories(host.parent_path());
    fs::create_symlink(target, host);
}

void CSandboxDrive::MakeFifo(const std::string& strWindowsPath)
{
    const fs::path host = HostPath(strWindowsPath);
    fs::create_directories(host.parent_path());
    if (mkfifo(host.c_str(), 0644) != 0)
        throw std::runtime_error("mkfifo failed: " + host.string());
}

bool CSandboxDrive::Exists(const std::string& strWindowsPath) const
{
    std::error_code error;
    return fs::symlink_status(HostPath(strWindowsPath), error).type() != fs::file_type::not_found &&
           !error;
}
