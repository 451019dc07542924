// Pieces the tab pages share, so that every tab has the same margins,
// headings, number columns and setup commands.
#pragma once

#include <QtGlobal>

class QGridLayout;
class QLabel;
class QLayout;
class QWidget;

namespace qv::forms {
class Button;
class Edit;
class Label;
class GroupBox;
}  // namespace qv::forms

namespace qv::ui {

class Binder;

inline constexpr int kPageMargin = 12;
inline constexpr int kColumnGap = 18;    // between the blocks of a page
inline constexpr int kRowSpacing = 3;    // between the rows of a grid
inline constexpr int kCellSpacing = 10;  // between the cells of a row
inline constexpr int kSectionGap = 10;   // above a heading that follows rows
inline constexpr int kCommandWidth = 180;

// The page's outer margins and spacing.
void SetPageSpacing(QLayout& layout);

// The label in the heading font; `gapAbove` keeps it apart from the rows
// before it, and goes with it when it hides.
QLabel* Heading(QLabel* label, int gapAbove = 0);

// Sets a row apart from the rows above by `gap`: the caption keeps its text
// centred on the widgets beside it, `rowHeight` high and put at the bottom of
// the row, and the gap goes when the caption hides.
void GapAbove(QLabel* caption, int gap, int rowHeight);

// The label as a number in a column: fixed-width font, right-aligned, wide
// enough for `chars` characters so the column keeps its width as values change.
QLabel* Number(QLabel* label, int chars);

// The stacked two-line heading of a column (such as "Once" over "per Hour"),
// centred, in the cell at row, column of the grid.
void StackedHeading(QGridLayout& grid, int row, int column, QLabel* top, QLabel* bottom);

// Get Setup and Send Setup above the "Setup File" group with its save and
// open buttons: the setup commands beside the two setup tabs.
QWidget* SetupCommands(Binder& b, forms::Button& get, forms::Button& send, forms::GroupBox& file,
                       forms::Button& save, forms::Button& open, QWidget* parent);

// A factory tab: its get button, the password caption and edit, the command
// the password guards (if any), and the way out of the tab.
void FactoryPage(Binder& b, QWidget& page, forms::Button& get, forms::Label& passwordCaption,
                 forms::Edit& password, forms::Button* guarded, forms::Button& done);

}  // namespace qv::ui
