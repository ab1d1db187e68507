#pragma once

#include <optional>
#include <string>

// What a path dialog (folder browser, file-open dialog) gave back, in either
// front end.
struct SPathChoice
{
    bool bChosen = false; // false: cancelled
    // The choice in the program's Windows form; nullopt when it lies on no
    // drive (the page then says why it cannot take it).
    std::optional<std::string> windowsPath;
    std::string strHostPath; // the choice as the host names it
};
