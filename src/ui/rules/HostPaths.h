#pragma once

#include "platform/IFileSystem.h"
#include "ui/rules/SPrompt.h"

#include <string>
#include <vector>

// The rules for paths as the host names them ("/home/me/Moved") where the
// program's paths have drive letters and drives are host folders.

// Whether the text is a host path: an absolute path of the host ("/...").
bool IsHostPath(const std::string& strText);

// A path as the user typed it, in the form the program keeps: a host path on
// a drive becomes its Windows form ("C:\home\me\Moved"); any other text,
// a host path on no drive included, stays as typed.
std::string ToDriveForm(const std::string& strTyped, IFileSystem& fileSystem);

// The drives and where they lie, for messages: "C: is /srv, D: is /mnt/data";
// a drive that is the host's own appears as its letter alone.
std::string DescribeDrives(IFileSystem& fileSystem);

// The OK-only refusal for a folder or file chosen in a path dialog that lies
// on no drive, naming the choice and the drives there are.
SPrompt ChoiceOffDrivesPrompt(const std::string& strHostPath, IFileSystem& fileSystem);

// Where a folder browser or file dialog starts, in Windows form ("C:\" for a
// root): the nearest existing folder at or above the first candidate, in
// order, that has one (the folder in the field, the selected entry, the file
// chosen last; empty candidates are passed over, a host path on a drive
// counts in its Windows form), else the root of strDrive (the remembered
// drive: its first character is the letter), else the root of the first
// drive that can be entered. Empty when none can.
std::string PickerStartFolder(const std::vector<std::string>& candidates,
                              const std::string& strDrive, IFileSystem& fileSystem);
