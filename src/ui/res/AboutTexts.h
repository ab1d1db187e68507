#pragma once

// The About box's own texts: who makes Scrubix and how to reach them. The
// project has no public mail address yet; the reserved ".invalid" domain says
// so plainly rather than inventing one.
#define ABOUT_LEGAL_NOTICE "Copyright 2026 The Scrubix developers.\nAll rights reserved."
#define ABOUT_ONE_LINE_NOTICE "Built with Qt 6"
// The same line in the native Windows front end, which uses no toolkit.
#define ABOUT_WINDOWS_NOTICE "Native Windows edition"
#define ABOUT_AUTHOR_NAME "The Scrubix developers"
// Short enough to fit the link's width whole in the usual desktop fonts.
#define ABOUT_EMAIL_LOCAL_PART "team"
#define ABOUT_EMAIL_ADDRESS ABOUT_EMAIL_LOCAL_PART "@scrubix.invalid"
// The web link shows this text and opens the help pages installed with the
// program (the caller gives their address).
#define ABOUT_WEB_ADDRESS "Scrubix help pages"
