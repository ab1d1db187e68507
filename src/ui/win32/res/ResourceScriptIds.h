#pragma once

// Identifiers of the resources compiled into the program by scrubix.rc. Plain
// macros: the resource compiler reads this file too.

// The program's icon (every size of scrubix.ico); the same id as the main
// frame's menu, accelerators and toolbar.
#define SCRUBIX_ICON_ID 128

// The application manifest of an executable.
#define SCRUBIX_MANIFEST_ID 1
#define SCRUBIX_RT_MANIFEST 24

// The version resource.
#define SCRUBIX_VERSION_ID 1

// The toolbar images are RCDATA resources holding the PNG files of
// src/ui/res/icons/ unchanged, each named after its file in capitals with
// "@" written "_" ("SEARCH.PNG", "SEARCH_2X.PNG": the resource compiler takes
// no "@" in a name), so the toolbar template's image names find them.
