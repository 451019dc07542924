#include "ui/pages/PageParts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/Controls.h"
#include "ui/Binder.h"
#include "ui/Look.h"

namespace qv::ui {

void SetPageSpacing(QLayout& layout) {
  layout.setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  layout.setSpacing(kColumnGap);
}

QLabel* Heading(QLabel* label, int gapAbove) {
  label->setFont(HeadingFont(label->font()));
  label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  if (gapAbove > 0) label->setContentsMargins(0, gapAbove, 0, 0);
  return label;
}

void GapAbove(QLabel* caption, int gap, int rowHeight) {
  caption->setContentsMargins(0, gap, 0, 0);
  caption->setMinimumHeight(gap + rowHeight);
}

QLabel* Number(QLabel* label, int chars) {
  const QFont fixed = FixedFont();
  label->setFont(fixed);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(chars, QLatin1Char('0'))));
  return label;
}

void StackedHeading(QGridLayout& grid, int row, int column, QLabel* top, QLabel* bottom) {
  auto* stack = new QVBoxLayout;
  stack->setSpacing(0);
  for (QLabel* line : {top, bottom}) {
    line->setFont(HeadingFont(line->font()));
    stack->addWidget(line, 0, Qt::AlignHCenter);
  }
  grid.addLayout(stack, row, column, Qt::AlignHCenter | Qt::AlignBottom);
}

QWidget* SetupCommands(Binder& b, forms::Button& get, forms::Button& send, forms::GroupBox& file,
                       forms::Button& save, forms::Button& open, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setFixedWidth(kCommandWidth);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  layout->addWidget(b.Make(get, panel));
  layout->addWidget(b.Make(send, panel));
  layout->addSpacing(8);
  QGroupBox* group = b.Make(file, panel);
  auto* inGroup = new QVBoxLayout(group);
  inGroup->setSpacing(6);
  inGroup->addWidget(b.Make(save, group));
  inGroup->addWidget(b.Make(open, group));
  layout->addWidget(group);
  return panel;
}

void FactoryPage(Binder& b, QWidget& page, forms::Button& get, forms::Label& passwordCaption,
                 forms::Edit& password, forms::Button* guarded, forms::Button& done) {
  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);
  layout->setSpacing(6);
  QPushButton* getButton = b.Make(get, &page);
  getButton->setMinimumWidth(kCommandWidth + 40);
  layout->addWidget(getButton, 0, Qt::AlignLeft);
  layout->addSpacing(kColumnGap);
  layout->addWidget(b.Make(passwordCaption, &page));
  QLineEdit* passwordEdit = b.Make(password, &page);
  passwordEdit->setFixedWidth(kCommandWidth + 40);
  layout->addWidget(passwordEdit);
  if (guarded) layout->addWidget(b.Make(*guarded, &page), 0, Qt::AlignLeft);
  layout->addSpacing(kColumnGap);
  QPushButton* doneButton = b.Make(done, &page);
  doneButton->setMinimumWidth(kCommandWidth / 2);
  layout->addWidget(doneButton, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

}  // namespace qv::ui
