#pragma once

// The options sheet's messages, as the user sees them ("\n" a line break).

// Entry dialog.
inline constexpr const char* TEXT_NULL_ENTRY = "Error: Null entry.";
inline constexpr const char* TEXT_WILDCARD_FORM =
    "A wildcard Exclude must be exactly this form:\n*.extension\n(one asterisk followed by dot "
    "then desired extension)\n\nPlease edit your wildcard Exclude entry.";
inline constexpr const char* TEXT_QUESTION_MARK =
    "The '?' wildcard is not permitted in an Exclude.\n\nPlease edit your Exclude entry.";
inline constexpr const char* TEXT_ENTRY_TOO_LONG =
    "Error: This entry is too long to be kept.\n\nThe settings can hold at most 259 characters "
    "per entry.";

// Path check of Filters and Folders to Delete.
inline constexpr const char* TEXT_ROOT_FOLDER =
    "String %s is a root folder and not a valuable filter.";
inline constexpr const char* TEXT_INVALID_FOLDER = "String\n %s\n is invalid.";
inline constexpr const char* TEXT_OPERATING_SYSTEM =
    "The Path \n%s\n is for your computer's operating system.\n\nAre you sure you want to delete "
    "it and its files/sub-folders?";

// Filters page.
inline constexpr const char* TEXT_RECYCLE_MISSING =
    "The Recycle bin at\n%s\nis not in your Filters list.\n\nWould you like to add it?\n(The "
    "recommended answer is \"Yes\".)";
inline constexpr const char* TEXT_REPAIR_MISSING =
    "The Repair Folder at\n%s\nis not in your Filters list.\n\nWould you like to add it?\n(The "
    "recommended answer is \"Yes\".)";
inline constexpr const char* TEXT_RECYCLE_REMOVE =
    "You are about to remove the Recycle\nbin from your Filters list.\n\nAre you sure you want "
    "to do this?\n(The recommended answer is \"No\")";
inline constexpr const char* TEXT_REPAIR_REMOVE =
    "You are about to remove the Repair\nfolder from your Filters list.\n\nAre you sure you want "
    "to do this?\n(The recommended answer is \"No\")";
inline constexpr const char* TEXT_NETSCAPE_MAIL_REMOVE =
    "You are about to remove a Netscape Mail\nfolder from your Filters list.\n\nAre you sure you "
    "want to do this?\n(The recommended answer is \"No\")";

// Excludes page.
inline constexpr const char* TEXT_INSTALL_LOG_REMOVE =
    "The file 'install.log' may be needed for\nthe uninstall of certain programs.\n\nAre you sure "
    "you want to remove this\nas an excluded item?";
inline constexpr const char* TEXT_DATA_BAK_REMOVE =
    "The file 'data.bak' may be\nneeded for Windows XP.\n\nAre you sure you want to remove "
    "this\nas an excluded item?";

// Setting pages.
inline constexpr const char* TEXT_IE_SHUT_DOWN =
    "You achieve the best results if\nInternet Explorer is shut down while running Scrubix.";
inline constexpr const char* TEXT_ZERO_LENGTH_MAIL =
    "Netscape and Mozilla use zero-length files to manage Mail folders.\n\nIt is strongly "
    "recommended that you add\nFilters for your Mail folder(s).\n\nIf you have other programs "
    "that use zero-length files in a similar\nway then you should create filters for them too.";
inline constexpr const char* TEXT_DESTINATION_INVALID =
    "Error: The file path you specified is invalid.";
inline constexpr const char* TEXT_DESTINATION_TOO_LONG =
    "Error: The file path you specified is too long.\n\nThe settings can hold a path of at most "
    "259 characters.";
inline constexpr const char* TEXT_INVISIBLE_QUESTION =
    "In 'Invisible Mode' your files are moved/purged \nwithout requiring a prompt or review from "
    "you.\n\nThis is a very powerful feature - but higher risk.\n\nAre you sure you want to try "
    "it?";
inline constexpr const char* TEXT_INVISIBLE_HOW_TO_SHOW =
    "After your next re-boot, when Scrubix is running \ninvisibly, simply click Start > Programs "
    "> Scrubix \nto make it visible.";
inline constexpr const char* TEXT_BOOT_TIME_NEEDED =
    "You have chosen to run Invisible but\nyou must run at boot-up or there is\nno cleaning "
    "effect.";
