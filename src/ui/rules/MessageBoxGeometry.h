#pragma once

#include <cstdint>

// How wide a message box must be, at least, for the window manager to show its
// whole title. A box with a short text is otherwise only as wide as its text
// and buttons, and the title bar cuts its own title short ("S... ix"). Beside
// the title the bar draws the window's icon and up to three window buttons,
// each about one text line high and as wide, with margins around them and the
// title's own padding: ten line heights in all (Openbox's default theme needs
// a little over eight). nTitleTextWidth is the title as the bar draws it (in
// the bold face title bars use); nLineHeight is the height of one text line.
// Both are in pixels; a box already wider keeps its width.
int32_t MessageBoxMinimumWidth(int32_t nTitleTextWidth, int32_t nLineHeight);
