#pragma once

// The main window's own texts that no state table carries, shared by both
// front ends.

// The Search button while the searching thread runs.
inline constexpr const char* STOP_SEARCH_TEXT = "Stop Search";

// The workers' box after an acknowledgement wait ran out.
inline constexpr const char* ACK_TIMEOUT_TEXT = "Click OK to unlock Scrubix and proceed.";

// The one-time notice shown 200 ms after start-up while Settings\23 is 0.
inline constexpr const char* VERSION_NOTICE_TEXT =
    "Version 2.3 has modified the Directeds Tab and \nadded two powerful tabs called\n\n"
    "   Files To Delete\n   and\n   Folders To Delete.\n\nPlease review them before "
    "starting Scrubix.";
