#pragma once

#include "ui/res/DialogUnits.h"

class QFont;

// The dialog base units of a font: the average character width is the width
// of the 52 letters "A".."Z", "a".."z" (QFontMetrics::horizontalAdvance)
// rounded as AverageCharWidth does, the height is QFontMetrics::height()
// (ascent + descent). Runs on the thread that owns the GUI.
SDialogBaseUnits BaseUnitsForFont(const QFont& font);

// The font a template asks for, on this system: the application's font family
// (the template's face rarely exists here) at the template's point size.
QFont FontForTemplate(const char* pszFontName, int nPoints);
