#include "ui/qt/app/DisplayProbe.h"

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{
const char* Variable(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr && *pszValue != '\0' ? pszValue : nullptr;
}

bool IsX11Reachable()
{
    const char* pszDisplay = Variable("DISPLAY");
    if (pszDisplay == nullptr)
        return false;
    // The toolkit's own connection call: the same answer, authorisation included.
    xcb_connection_t* pConnection = xcb_connect(pszDisplay, nullptr);
    const bool bReachable = xcb_connection_has_error(pConnection) == 0;
    xcb_disconnect(pConnection);
    return bReachable;
}

// Qt's Wayland platform is a package of its own: without it a compositor is
// no display for this program.
bool HasWaylandPlatform()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("*wayland*")}, QDir::Files).isEmpty();
}

bool IsWaylandReachable()
{
    const char* pszName = Variable("WAYLAND_DISPLAY");
    if (pszName == nullptr || !HasWaylandPlatform())
        return false;
    std::string strSocket = pszName;
    if (strSocket.front() != '/')
    {
        const char* pszRuntime = Variable("XDG_RUNTIME_DIR");
        if (pszRuntime == nullptr)
            return false;
        strSocket = std::string(pszRuntime) + "/" + strSocket;
    }
    sockaddr_un address{};
    if (strSocket.size() >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, strSocket.c_str(), strSocket.size() + 1);
    const int nSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (nSocket < 0)
        return false;
    const bool bReachable =
        ::connect(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(nSocket);
    return bReachable;
}
} // namespace

bool IsDisplayReachable()
{
    return IsX11Reachable() || IsWaylandReachable();
}

bool IsPlatformChosen()
{
    return Variable("QT_QPA_PLATFORM") != nullptr;
}
