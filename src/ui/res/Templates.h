#pragma once

#include "DialogTemplate.h"

// The program's templates. Each lives for the whole run (static data).

// Form 101: the results view's client area (drive box, buttons, counters,
// progress lines, results list), 386 x 226 dialog units, a child without caption.
const SDialogTemplate& GetFormTemplate();

// Dialog 140 "Welcome to Scrubix!": the first-start choice between purging and
// moving to the Recycle Bin; a caption without a system menu (no close box).
const SDialogTemplate& GetWelcomeTemplate();

// Dialog 137 "Purge Warning!": confirmation before a purge, with the tick that
// switches the warning off.
const SDialogTemplate& GetPurgeWarningTemplate();

// Dialog 110 "File Moving Progress": modeless, visible on creation, no system menu.
const SDialogTemplate& GetProgressTemplate();

// Dialog 100 "About Scrubix": name, version, what the program does, the legal
// notice and the two contact links (custom controls the caller supplies).
const SDialogTemplate& GetAboutTemplate();

// The Options sheet's pages (130 Extensions, 134 Filters, 136 Excludes, 138
// Other Settings, 139 Directeds, 141 Purge/Move, 143 Run Options, 144 Files to
// Delete, 145 Folders to Delete; child templates of 287 x 138 dialog units, Run
// Options 135 high) and the entry dialog 131 ("Add"), by id; nullptr for any
// other id.
const SDialogTemplate* FindOptionsTemplate(int32_t nId);

// Any of the templates above (and the option pages' templates as they are
// added) by id; nullptr for an unknown id.
const SDialogTemplate* FindTemplate(int32_t nId);
