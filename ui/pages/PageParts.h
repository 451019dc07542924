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
class Panel;
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

// The commands beside a factory record: get and send, the file buttons, the
// not-current panel, the password that guards the send, and the way out.
struct FactoryControls {
  forms::Button& get;
  forms::Button& send;
  forms::Button& load;
  forms::Button& save;
  forms::Panel& notCurrent;
  forms::Label& passwordCaption;
  forms::Edit& password;
  forms::Button& done;
};
QWidget* FactoryCommands(Binder& b, const FactoryControls& c, QWidget* parent);

}  // namespace qv::ui
