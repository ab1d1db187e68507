#include "platform/posix/CXdgAutostart.h"

#include "platform/posix/PosixFd.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string Variable(const char* pName)
{
    const char* pValue = std::getenv(pName);
    return pValue != nullptr ? pValue : "";
}

bool IsValidUtf8(const std::string& strText)
{
    size_t i = 0;
    while (i < strText.size())
    {
        const auto c = static_cast<unsigned char>(strText[i]);
        size_t nFollow = 0;
        if (c < 0x80)
            nFollow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            nFollow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            nFollow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            nFollow = 3;
        else
            return false;
        if (i + nFollow >= strText.size())
            return false;
        for (size_t k = 1; k <= nFollow; ++k)
        {
            const auto f = static_cast<unsigned char>(strText[i + k]);
            if ((f & 0xC0) != 0x80)
                return false;
        }
        // Overlong three- and four-byte forms and surrogates are not UTF-8.
        if (nFollow == 2)
        {
            const auto f = static_cast<unsigned char>(strText[i + 1]);
            if ((c == 0xE0 && f < 0xA0) || (c == 0xED && f >= 0xA0))
                return false;
        }
        if (nFollow == 3)
        {
            const auto f = static_cast<unsigned char>(strText[i + 1]);
            if ((c == 0xF0 && f < 0x90) || (c == 0xF4 && f >= 0x90))
                return false;
        }
        i += nFollow + 1;
    }
    return true;
}

// One argument of an Exec line: quoted when it holds a reserved character,
// with ", `, $ and \ escaped inside the quotes; then the value's own escape
// (a backslash doubled) and the field-code escape (% doubled).
std::string ExecArgument(const std::string& strArgument)
{
    static constexpr const char* RESERVED = " \t\n\"'\\><~|&;$*?#()`";
    std::string strQuoted;
    const bool bQuote = strArgument.find_first_of(RESERVED) != std::string::npos;
    if (bQuote)
    {
        strQuoted += '"';
        for (char c : strArgument)
        {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                strQuoted += '\\';
            strQuoted += c;
        }
        strQuoted += '"';
    }
    else
    {
        strQuoted = strArgument;
    }
    std::string strValue;
    for (char c : strQuoted)
    {
        if (c == '\\')
            strValue += "\\\\";
        else if (c == '%')
            strValue += "%%";
        else
            strValue += c;
    }
    return strValue;
}
} // namespace

CXdgAutostart::CXdgAutostart(std::string strFolder, std::string strExecutable)
    : m_strFolder(std::move(strFolder)), m_strExecutable(std::move(strExecutable)),
      m_strEntryPath(m_strFolder + "/" + ENTRY_NAME)
{
}

std::string CXdgAutostart::FolderFromEnvironment()
{
    std::string strConfig = Variable("XDG_CONFIG_HOME");
    if (strConfig.empty() || strConfig.front() != '/')
    {
        std::string strHome = Variable("HOME");
        if (strHome.empty())
        {
            if (const passwd* pUser = getpwuid(getuid()))
                strHome = pUser->pw_dir;
        }
        strConfig = strHome + "/.config";
    }
    return strConfig + "/autostart";
}

std::string CXdgAutostart::ExecutableOfThisProcess()
{
    std::string strPath(PATH_MAX, '\0');
    for (;;)
    {
        const ssize_t nLength = ::readlink("/proc/self/exe", strPath.data(), strPath.size());
        if (nLength < 0)
            return {};
        if (static_cast<size_t>(nLength) < strPath.size())
        {
            strPath.resize(static_cast<size_t>(nLength));
            return strPath;
        }
        strPath.resize(strPath.size() * 2);
    }
}

bool CXdgAutostart::ComposeEntry(const std::string& strExecutable, const std::string& strArguments,
                                 std::string& strEntry)
{
    if (strExecutable.empty() || strExecutable.front() != '/' || !IsValidUtf8(strExecutable) ||
        strExecutable.find('%') != std::string::npos)
        return false;
    for (char c : strExecutable + strArguments)
    {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    }
    strEntry = "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Scrubix\n"
               "Comment=Search for junk files at login\n"
               "Exec=" +
               ExecArgument(strExecutable) + strArguments +
               "\n"
               "Terminal=false\n"
               "X-GNOME-Autostart-enabled=true\n";
    return true;
}

bool CXdgAutostart::EnableAtLogin(const std::string& strArguments)
{
    std::string strEntry;
    if (!ComposeEntry(m_strExecutable, strArguments, strEntry))
        return false;

    // Missing folders are made on the way (private to the user, as the
    // config folders are expected to be).
    for (size_t nSlash = m_strFolder.find('/', 1);; nSlash = m_strFolder.find('/', nSlash + 1))
    {
        const std::string strPart = m_strFolder.substr(0, nSlash);
        if (::mkdir(strPart.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (nSlash == std::string::npos)
            break;
    }
    CPosixFd folder(::open(m_strFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.IsOpen())
        return false;

    static std::atomic<unsigned> s_nCounter{0};
    const std::string strTemporary = std::string(".") + ENTRY_NAME + "." +
                                     std::to_string(::getpid()) + "." +
                                     std::to_string(s_nCounter.fetch_add(1));
    CPosixFd file(::openat(folder.Get(), strTemporary.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!file.IsOpen())
        return false;
    size_t nDone = 0;
    bool bWritten = true;
    while (nDone < strEntry.size())
    {
        const ssize_t nWritten =
            ::write(file.Get(), strEntry.data() + nDone, strEntry.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            bWritten = false;
            break;
        }
        nDone += static_cast<size_t>(nWritten);
    }
    bWritten = bWritten && ::fsync(file.Get()) == 0;
    file.Reset();
    // The rename replaces whatever has the entry's name, a link included,
    // without following it.
    if (!bWritten || ::renameat(folder.Get(), strTemporary.c_str(), folder.Get(), ENTRY_NAME) != 0)
    {
        ::unlinkat(folder.Get(), strTemporary.c_str(), 0);
        return false;
    }
    ::fsync(folder.Get());
    return true;
}

bool CXdgAutostart::DisableAtLogin()
{
    if (::unlink(m_strEntryPath.c_str()) == 0)
        return true;
    return errno == ENOENT || errno == ENOTDIR;
}
