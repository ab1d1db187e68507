#pragma once

// Texts of the program's own about paths as the host names them, where drives
// are host folders ("\n" a line break, "%s" filled in as said).

// Added after "Error: The file path you specified is invalid." when the
// destination typed is a host path on none of the drives: %s is the drives
// there are, as DescribeDrives writes them.
inline constexpr const char* TEXT_DESTINATION_DRIVE_FORM =
    "\n\nType the folder with its drive letter, such as C:\\Moved. The folder you typed lies "
    "on none of the drives (%s).";

// A folder or file chosen in a path dialog outside every drive: the first %s
// is the choice, the second the drives there are.
inline constexpr const char* TEXT_CHOICE_OFF_DRIVES =
    "%s\nlies on none of the drives, so Scrubix cannot use it.\n\nChoose a folder or file on "
    "one of the drives (%s).";

// No drive at all.
inline constexpr const char* TEXT_NO_DRIVES = "there are none";
