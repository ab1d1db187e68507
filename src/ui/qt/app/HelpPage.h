#pragma once

#include <QString>

// The help pages' front page as a host path: the installed copy beside the
// program (<prefix>/share/scrubix/help/index.html), else the copy in the
// source tree the program was built from. Empty when neither exists.
QString HelpIndexPath();
