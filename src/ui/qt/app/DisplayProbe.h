#pragma once

// Whether a display can be reached before the toolkit tries one (it aborts
// the process when it cannot connect): an X server named by DISPLAY that
// accepts a connection, or a Wayland compositor listening on the socket that
// WAYLAND_DISPLAY names (in XDG_RUNTIME_DIR unless it is absolute) when Qt's
// Wayland platform is installed. Connects and disconnects at once. Any thread; called by main()
// before QApplication.
bool IsDisplayReachable();

// Whether the user named the toolkit's windowing platform (QT_QPA_PLATFORM
// set and not empty): that choice is always respected.
bool IsPlatformChosen();
