#pragma once

#include <string>

// The help pages' front page as a path to open: the copy installed beside
// the program (<program folder>\help\index.html), else the copy in the source
// tree the program was built in (docs\help\index.html in a folder above the
// executable's, as in <source>\build\mingw\bin). Empty when neither exists.
std::string HelpIndexPath();
