// How the form layer's named colours and the program's fonts look on screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

#include "forms/Control.h"

class QLabel;
class QWidget;

namespace qv::ui {

// The colour a named colour stands for; invalid for ButtonFace and Window,
// which are the style's own defaults.
QColor ColourOf(forms::Colour c);

// Paints the widget in the named colour (the background too when fill is
// set, for labels and panels), or gives it back the style's defaults.
void ApplyColour(QWidget& w, forms::Colour c, bool fill);

// The fixed-width font, for every text aligned in columns.
QFont FixedFont();

// A font like the widget's own with the given pixel size and weight.
QFont PixelFont(const QFont& base, int pixels, bool bold);

// A font like the given one, bold, for headings over rows and columns.
QFont HeadingFont(const QFont& base);

// A yellow or red state panel ("Setup is Not Current"): 150 x 40 pixels in
// a bold 15-pixel font.
void PanelLook(QLabel& panel);

// The text with each tab replaced by spaces up to the next of the given
// character columns (ascending), past the last of them up to the next
// multiple of eight; for tab-separated lines in a fixed-width font.
QString ExpandTabs(const QString& text, const std::vector<int>& columns);

}  // namespace qv::ui
