#pragma once

#include <QIcon>
#include <QPixmap>
#include <cstdint>

// The program's images, compiled in (src/ui/qt/dialogs/scrubix_icons.qrc, drawn
// from the SVG sources in src/ui/res/icons/):
//   :/icons/scrubix-<16|24|32|48|64|128|256>.png   the application icon
//   :/icons/<search|purge|move|cancel|options|about>.png (+ @2x)
//                                                  toolbar buttons, 16 x 15 (32 x 30)
//   :/icons/toolbar.png (+ @2x)                    the same six as one strip,
//                                                  in toolbar order
// The resources live in a static library: call InitIconResources() (every
// function here does) before opening a ":/icons/" path by hand.
// User-interface thread only.

// Registers the compiled-in images; harmless when repeated.
void InitIconResources();

// The application icon at every size drawn.
QIcon ApplicationIcon();

// The toolbar button image of a command (ID_SEARCH, ID_PURGE, ID_MOVE,
// ID_CANCEL, ID_OPTIONS, ID_APP_ABOUT), with its doubled form for screens
// at twice the density; a null icon for any other command.
QIcon ToolbarIcon(int32_t nCommandId);

// The toolbar strip: one 16 x 15 image per button of GetToolbarButtons()
// (separators take none), in that order; device pixel ratio 2 when bDoubled.
QPixmap ToolbarStrip(bool bDoubled = false);
