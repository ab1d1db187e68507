#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QWidget;

// Whole texts in templates laid out for another font. The templates' sizes
// were chosen for a narrow 8-point face; the font here has the same average
// letter width (the base units come from it) but other proportions, so a text
// may need a few pixels more than its rectangle gives. These functions find
// such texts and give them the room they need from the free space around
// them, never over another control and never out of their group box or the
// parent. User-interface thread only.

// The size a text control needs to show its whole text at its current width:
// labels (wrapping ones: the longest word and every line at this width),
// check boxes and radio buttons (indicator and text), push buttons (text and
// the style's margins), group boxes (the title). std::nullopt for controls
// without a text (pictures, edits, lists, empty labels).
std::optional<QSize> TextSizeNeeded(const QWidget* pWidget);

// True when the control's text shows whole in its current geometry (always
// true for controls without a text).
bool TextFits(const QWidget* pWidget);

// Grows each text control of widgets (children of one parent, in template
// order) that its text does not fit: wider first, in the direction its text
// is aligned to (centred texts on both sides), then, for wrapping labels,
// taller (downwards first). Growth stops nMargin pixels short of the parent's
// edges, of any control it did not already overlap and of the inside of the
// group box that holds it. Group boxes themselves are not resized. The
// geometry is the shared rule of ui/rules/TextFit.h; this measures the texts.
void GrowTextsToFit(const std::vector<QWidget*>& widgets, QWidget* pParent, int nMargin);
